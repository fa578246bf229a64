#pragma once

#include <QStringList>
#include <cstdint>

// The counts and record lines of one drill. Lines keep the order in which the
// answers were given and are never sorted.
class DrillTally {
public:
    void AddRight(const QString &line);
    // rightAnswer is shown beside the line on the result panel, never saved.
    void AddWrong(const QString &line, const QString &rightAnswer = {});
    void Clear();

    std::int32_t RightCount() const { return rightCount_; }
    std::int32_t WrongCount() const { return wrongCount_; }
    std::int32_t TotalCount() const { return totalCount_; }
    const QStringList &RightLines() const { return rightLines_; }
    const QStringList &WrongLines() const { return wrongLines_; }
    // The right answer of each wrong line, in the same order.
    const QStringList &RightAnswers() const { return rightAnswers_; }

private:
    std::int32_t rightCount_ = 0;
    std::int32_t wrongCount_ = 0;
    std::int32_t totalCount_ = 0;
    QStringList rightLines_;
    QStringList wrongLines_;
    QStringList rightAnswers_;
};
