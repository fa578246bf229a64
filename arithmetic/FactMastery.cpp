#include "arithmetic/FactMastery.h"

#include <array>

namespace {

// 牢固 needs a fluent answer this many days after it first became 熟练.
constexpr int kDaysToSolid = 7;
constexpr int kFluentLastAnswers = 3;

}  // namespace

QString FactStateName(FactState state)
{
    static const std::array<QString, 5> kNames{QStringLiteral("未学"), QStringLiteral("不会"), QStringLiteral("学习中"),
                                               QStringLiteral("熟练"), QStringLiteral("牢固")};
    return kNames.at(static_cast<std::size_t>(state));
}

QString FactStateMark(FactState state)
{
    static const std::array<QString, 5> kMarks{QStringLiteral("○"), QStringLiteral("✗"), QStringLiteral("△"),
                                               QStringLiteral("✓"), QStringLiteral("◎")};
    return kMarks.at(static_cast<std::size_t>(state));
}

int FluentMillis(int grade, int answerDigits)
{
    return (grade >= 4 ? 2000 : 3000) + 500 * answerDigits;
}

int AnswerDigits(const QString &answer)
{
    int digits = 0;
    for (const QChar c : answer)
        digits += c.isDigit() ? 1 : 0;
    return digits;
}

void FactRecord::Add(const FactAnswer &answer, int fluentMillis)
{
    ++answers_;
    recent_.append(answer);
    if (recent_.size() > RecentCount)
        recent_.removeFirst();
    if (answer.Right && answer.Millis && *answer.Millis <= fluentMillis) {
        if (fluentRun_++ == 0)
            runStart_ = answer.Day;
    } else {
        fluentRun_ = 0;
    }
    if (!fluentSince_ && LastThreeFluent())
        fluentSince_ = answer.Day;
}

bool FactRecord::LastThreeFluent() const
{
    return fluentRun_ >= kFluentLastAnswers && runStart_ < recent_.last().Day;
}

FactState FactRecord::State() const
{
    if (recent_.isEmpty())
        return FactState::NotLearnt;
    const FactAnswer &last = recent_.last();
    if (!last.Right || (last.Millis && *last.Millis >= TooSlowMillis))
        return FactState::Unknown;
    if (!LastThreeFluent())
        return FactState::Learning;
    if (fluentSince_ && last.Day >= fluentSince_->addDays(kDaysToSolid))
        return FactState::Solid;
    return FactState::Fluent;
}

FactState StateOf(const QList<FactAnswer> &answers, int fluentMillis)
{
    FactRecord record;
    for (const FactAnswer &answer : answers)
        record.Add(answer, fluentMillis);
    return record.State();
}
