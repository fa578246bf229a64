#include "chengzhang/GrowthReport.h"

#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "storage/HistoryStore.h"

#include <QRegularExpression>
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

GrowthReport Read(const HistoryStore &store, int child, int dayCount, QDate today)
{
    GrowthReport report;
    report.last = today;
    report.first = today.addDays(1 - dayCount);
    report.days = HistoryQueries::PerDay(store, child, report.first, report.last);
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
    report.hardest = HistoryQueries::HardestProblems(store, child, report.first, 5);
    report.target = HistoryQueries::MostPractisedPreset(store, child, report.first);
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
    return perMinute ? QStringLiteral("%1 题/分").arg(*perMinute, 0, 'f', 1) : QStringLiteral("没有计时");
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

std::optional<ArithProblem> ProblemOf(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)([-+*/])(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    ArithProblem problem;
    bool firstFits = false;
    bool secondFits = false;
    problem.FirstOperand = match.captured(1).toInt(&firstFits);
    problem.SecondOperand = match.captured(3).toInt(&secondFits);
    if (!firstFits || !secondFits)
        return std::nullopt;
    switch (match.captured(2).at(0).unicode()) {
    case u'+':
        problem.OperatorCode = Operator::Addition;
        break;
    case u'-':
        problem.OperatorCode = Operator::Subtraction;
        break;
    case u'*':
        problem.OperatorCode = Operator::Multiplication;
        break;
    default:
        if (problem.SecondOperand == 0)
            return std::nullopt;
        problem.OperatorCode = Operator::Division;
        break;
    }
    // The history is a file too: a hand-edited line may not fit 32 bits.
    const std::optional<std::int32_t> answer = Apply(problem.FirstOperand, problem.OperatorCode, problem.SecondOperand);
    if (!answer)
        return std::nullopt;
    problem.Answer = *answer;
    return problem;
}

}  // namespace Growth
