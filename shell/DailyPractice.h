#pragma once

#include "arithmetic/TodaySession.h"
#include "lianxi/DailyCourse.h"

#include <QDate>
#include <functional>
#include <optional>

class HistoryStore;

// 今日练习 for one child and unit: each session is planned from her history
// as it stands at 开始 and the 错题本's problems due that day. Her answers
// to those go back to the 错题本 as reviews; a fact that becomes 牢固
// conquers its entry there.
class DailyPractice : public DailyCourse {
public:
    // What the 错题本 is asked and told; each change is saved as a drill's
    // misses are.
    struct NotebookLink {
        std::function<QList<Problem>(QDate today)> due;
        std::function<void(const Problem &problem, bool right, const QString &answer)> reviewed;
        std::function<void(const Problem &problem)> solid;
    };

    DailyPractice(HistoryStore &store, int child, const PresetPick &unit, NotebookLink notebook,
                  std::function<QDate()> today);

    PresetPick Unit() const override { return unit_; }
    void Begin() override;
    std::optional<Problem> Next() override;
    void Answered(const CheckedAnswer &answer) override;
    Ending End() override;

    // The line when a session taught nothing new.
    static QString KindLine();

private:
    HistoryStore &store_;
    int child_;
    PresetPick unit_;
    NotebookLink notebook_;
    std::function<QDate()> today_;
    std::optional<TodaySession> session_;
    bool masteredBefore_ = false;
};
