#include "arithmetic/FactHistory.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/FactSets.h"
#include "arithmetic/TodayUnit.h"
#include "storage/HistoryQueries.h"

#include <algorithm>
#include <functional>

namespace {

using From = AnswerReader::From;
// Reads one fact's or skill's answers from one end while take wants more.
using Scan = std::function<void(From, const AnswerReader::Take &)>;
using FluentOf = std::function<int(const ProblemAnswer &)>;

FactAnswer AnswerOf(const ProblemAnswer &row)
{
    return {row.right, row.millis, row.day};
}

// The newest answers as far as the state needs them, and, while it is 熟练
// or 牢固, the oldest up to the first time it became 熟练: a few rows at each
// end, whatever lies between. A fact not known now has its first 熟练 day
// read again once it is, so a session never pays for reading a long history
// of misses; a fact learnt again within today's session counts its 牢固
// from the next reading on.
FactRecord Read(const Scan &scan, const FluentOf &fluentOf)
{
    QList<FactAnswer> newest;
    QList<int> limits;
    scan(From::Newest, [&](const ProblemAnswer &row) {
        newest.append(AnswerOf(row));
        limits.append(fluentOf(row));
        return !FactRecord::HasEnoughNewest(newest, limits);
    });
    std::optional<QDate> since;
    const bool needed = IsKnown(FactRecord::FromEnds(newest, limits, {}).State());
    if (!newest.isEmpty() && needed) {
        FactRecord first;
        scan(From::Oldest, [&](const ProblemAnswer &row) {
            first.Add(AnswerOf(row), fluentOf(row));
            since = first.FluentSince();
            return !since;
        });
    }
    return FactRecord::FromEnds(newest, limits, since);
}

FactRecord ReadFact(AnswerReader &reader, int fact)
{
    const QString &key = AllFacts().at(fact).Key;
    const int fluent = FactFluentMillis(fact);
    return Read([&](From from, const AnswerReader::Take &take) { reader.OfProblem(key, from, take); },
                [fluent](const ProblemAnswer &) { return fluent; });
}

}  // namespace

int FactFluentMillis(int fact)
{
    const Fact &f = AllFacts().at(fact);
    return FluentMillis(FactSets().at(f.Set).Grade, AnswerDigits(AnswerText(f.Question.Expected())));
}

QList<FactRecord> FactRecords(const HistoryStore &store, int child, const QList<int> &facts, QDate before)
{
    AnswerReader reader(store, child, before);
    QList<FactRecord> records;
    records.reserve(facts.size());
    for (const int fact : facts)
        records.append(ReadFact(reader, fact));
    return records;
}

QList<FactRecord> AllFactRecords(const HistoryStore &store, int child, QDate before)
{
    QList<int> every;
    for (int fact = 0; fact < AllFacts().size(); ++fact)
        every.append(fact);
    return FactRecords(store, child, every, before);
}

FactRecord SkillRecord(const HistoryStore &store, int child, const PresetPick &unit, QDate before)
{
    const Preset *preset = PresetOf(unit);
    if (!preset)
        return {};
    AnswerReader reader(store, child, before);
    const QString id = QString::number(preset->Id);
    const QString title = PresetTitle(*preset, unit.Choice);
    const int grade = GradeOfTerm(preset->Term);
    return Read([&](From from, const AnswerReader::Take &take) { reader.OfPreset(id, title, from, take); },
                [grade](const ProblemAnswer &row) { return FluentMillis(grade, row.answerDigits); });
}

QList<FactRecord> UnitRecords(const HistoryStore &store, int child, const PresetPick &unit, QDate before)
{
    if (IsClosedUnit(unit))
        return FactRecords(store, child, UnitFacts(unit), before);
    return {SkillRecord(store, child, unit, before)};
}

QList<PresetPick> MasteredUnits(const HistoryStore &store, int child)
{
    const QList<FactRecord> all = AllFactRecords(store, child);
    QList<PresetPick> mastered;
    for (const Preset &preset : Presets()) {
        for (int choice = 0; choice < std::max<int>(1, static_cast<int>(preset.Choices.size())); ++choice) {
            const PresetPick unit{preset.Id, choice};
            QList<FactRecord> records;
            if (IsClosedUnit(unit)) {
                for (const int fact : UnitFacts(unit))
                    records.append(all.at(fact));
            } else {
                records.append(SkillRecord(store, child, unit));
            }
            if (IsMastered(records))
                mastered.append(unit);
        }
    }
    return mastered;
}
