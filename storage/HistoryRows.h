#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Where a session or an answer came from, as the history stores it.
enum class HistoryOrigin { Practice = 1, Competition = 2, Exam = 3, Review = 4 };

// "练习", "竞技", "考试" or "复习".
QString HistoryOriginText(HistoryOrigin origin);

// One drill, competition, exam or 错题本 review. Its counts grow with each
// answer; the row is written again each time.
struct SessionRow {
    qint64 id = 0;
    int child = 1;
    HistoryOrigin origin = HistoryOrigin::Practice;
    QDateTime started;
    QDateTime ended;
    int total = 0;
    int right = 0;
    std::optional<qint64> score;
    // The preset as plain values, empty without one.
    QString presetId;
    QString presetName;
    std::optional<double> targetPerMinute;
    std::optional<double> targetAccuracy;
    // "100以内 加减": the range and kind of sums.
    QString setting;
};

struct AnswerRow {
    qint64 session = 0;
    int child = 1;
    HistoryOrigin origin = HistoryOrigin::Practice;
    QDateTime at;
    QString problem;  // "8+7"
    QString answer;
    bool right = false;
    std::optional<int> millis;  // from the problem shown to its check
};
