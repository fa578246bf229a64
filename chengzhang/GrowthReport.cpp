#include "chengzhang/GrowthReport.h"

#include "storage/HistoryStore.h"

#include <cmath>

namespace {

QString PaperSigns(QString text)
{
    return text.replace(u'*', u'×').replace(u'/', u'÷');
}

}  // namespace

const DayFigures *GrowthReport::On(QDate day) const
{
    for (const DayFigures &figures : days) {
        if (figures.day == day)
            return &figures;
    }
    return nullptr;
}

namespace Growth {

GrowthReport Read(const HistoryStore &store, int child, int dayCount, QDate today, const QString &skill)
{
    GrowthReport report;
    report.last = today;
    report.first = today.addDays(1 - dayCount);
    report.skill = skill;
    report.skills = HistoryQueries::Skills(store, child, report.first);
    report.days = HistoryQueries::PerDay(store, child, report.first, report.last, skill);
    for (const DayFigures &day : std::as_const(report.days)) {
        report.totals.total += day.total;
        report.totals.right += day.right;
        report.totals.timed += day.timed;
        report.totals.millis += day.millis;
    }
    // A streak longer than the period still counts in full.
    report.practised = HistoryQueries::PractisedDays(store, child, today.addDays(-3660), today);
    report.streak = HistoryQueries::Streak(report.practised, today);
    report.weakest = HistoryQueries::WeakestSkills(store, child, report.first, 3);
    report.hardest = HistoryQueries::HardestProblems(store, child, report.first, 5, skill);
    report.target = HistoryQueries::MostPractisedPreset(store, child, report.first, skill);
    return report;
}

QString StreakText(int streak)
{
    if (streak <= 0)
        return QStringLiteral("今天练一练，开始新的连续记录吧！");
    return QStringLiteral("已经连续练习 %1 天！").arg(streak);
}

QString ProblemLine(const ProblemFigures &problem)
{
    QString line = PaperSigns(problem.problem) + u'：';
    if (problem.averageSeconds)
        line += QStringLiteral("平均 %1 秒").arg(std::lround(*problem.averageSeconds));
    if (problem.missed > 0)
        line += (problem.averageSeconds ? QStringLiteral("，") : QString()) +
                QStringLiteral("错过 %1 次").arg(problem.missed);
    return line;
}

QString PerMinuteText(const Figures &figures)
{
    const std::optional<double> perMinute = figures.PerMinute();
    if (!perMinute)
        return QStringLiteral("没有计时");
    const QString speed = QStringLiteral("%1 题/分").arg(*perMinute, 0, 'f', 1);
    // An exam's boxes have no time each: the speed is of the rest alone.
    const int untimed = figures.total - figures.timed;
    return untimed > 0 ? speed + QStringLiteral("（%1 道考试题不计时，不算在内）").arg(untimed) : speed;
}

QString SkillLine(const SkillFigures &skill)
{
    return QStringLiteral("%1：正确率 %2%，%3（%4 题）")
        .arg(skill.skill)
        .arg(std::lround(skill.Accuracy()))
        .arg(PerMinuteText(skill))
        .arg(skill.total);
}

QString DayLine(const DayFigures &day)
{
    return QStringLiteral("%1月%2日：%3 题，正确率 %4%，%5")
        .arg(day.day.month())
        .arg(day.day.day())
        .arg(day.total)
        .arg(std::lround(day.Accuracy()))
        .arg(PerMinuteText(day));
}

}  // namespace Growth
