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

namespace {

bool IsFluent(const FactAnswer &answer, int fluentMillis)
{
    return answer.Right && answer.Millis && *answer.Millis <= fluentMillis;
}

}  // namespace

bool FactRecord::HasEnoughNewest(const QList<FactAnswer> &newestFirst, const QList<int> &fluentMillis)
{
    if (newestFirst.size() < RecentCount)
        return false;
    int run = 0;
    for (qsizetype k = 0; k < newestFirst.size(); ++k) {
        if (!IsFluent(newestFirst.at(k), fluentMillis.at(k)))
            return true;
        ++run;
        if (run >= kFluentLastAnswers && newestFirst.at(k).Day < newestFirst.first().Day)
            return true;
    }
    return false;
}

FactRecord FactRecord::FromEnds(const QList<FactAnswer> &newestFirst, const QList<int> &fluentMillis,
                                std::optional<QDate> fluentSince)
{
    // A fluent run cut short still starts before the last day, which is all
    // that 熟练 asks of it.
    FactRecord record;
    for (qsizetype k = newestFirst.size() - 1; k >= 0; --k)
        record.Add(newestFirst.at(k), fluentMillis.at(k));
    record.fluentSince_ = fluentSince;
    return record;
}

void FactRecord::Add(const FactAnswer &answer, int fluentMillis)
{
    recent_.append(answer);
    if (recent_.size() > RecentCount)
        recent_.removeFirst();
    if (IsFluent(answer, fluentMillis)) {
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
