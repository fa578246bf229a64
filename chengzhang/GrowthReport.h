#pragma once

#include "storage/HistoryQueries.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class HistoryStore;

// What the 成长记录 window and the weekly report show for one child over the
// last days up to today.
struct GrowthReport {
    QDate first;
    QDate last;
    QList<DayFigures> days;  // only days with answers
    QList<QDate> practised;  // every practised day back to the streak's start
    int streak = 0;
    Figures totals;
    QList<SkillFigures> weakest;
    QList<ProblemFigures> hardest;
    std::optional<PresetTarget> target;
    // Every skill of the period; the chart, the totals and the hardest
    // problems are of skill alone when it is not empty.
    QStringList skills;
    QString skill;

    const DayFigures *On(QDate day) const;
};

// The 错题本 as the weekly report tells it.
struct NotebookState {
    int open = 0;
    int dueToday = 0;
    int conquered = 0;
};

namespace Growth {

GrowthReport Read(const HistoryStore &store, int child, int dayCount, QDate today, const QString &skill = {});

// "已经连续练习 5 天！", or an encouragement without a streak.
QString StreakText(int streak);
// "8+7：平均 9 秒，错过 3 次", with the paper's signs.
QString ProblemLine(const ProblemFigures &problem);
// "100以内 加减：正确率 80%，12.5 题/分（120 题）".
QString SkillLine(const SkillFigures &skill);
// "3月7日：40 题，正确率 95%，12.5 题/分".
QString DayLine(const DayFigures &day);
// "12.5 题/分", saying so when untimed answers (an exam's) are left out.
QString PerMinuteText(const Figures &figures);

}  // namespace Growth
