#include "arithmetic/FactHistory.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/FactSets.h"
#include "storage/HistoryQueries.h"

#include <QHash>

namespace {

FactAnswer AnswerOf(const ProblemAnswer &row)
{
    return {row.right, row.millis, row.day};
}

}  // namespace

int FactFluentMillis(int fact)
{
    const Fact &f = AllFacts().at(fact);
    return FluentMillis(FactSets().at(f.Set).Grade, AnswerDigits(AnswerText(f.Question.Expected())));
}

QList<FactRecord> FactRecords(const HistoryStore &store, int child, const QList<int> &facts, QDate before)
{
    QList<FactRecord> records(facts.size());
    QHash<QString, qsizetype> slot;
    QStringList keys;
    for (qsizetype k = 0; k < facts.size(); ++k) {
        const QString &key = AllFacts().at(facts.at(k)).Key;
        slot.insert(key, k);
        keys.append(key);
    }
    if (keys.isEmpty())
        return records;
    // Rows come a problem at a time: the slot is looked up once per problem.
    QString current;
    qsizetype at = -1;
    int fluent = 0;
    HistoryQueries::ForEachAnswer(store, child, keys, before, [&](const ProblemAnswer &row) {
        if (at < 0 || row.problem != current) {
            current = row.problem;
            at = slot.value(current, -1);
            fluent = at < 0 ? 0 : FactFluentMillis(facts.at(at));
        }
        if (at >= 0)
            records[at].Add(AnswerOf(row), fluent);
    });
    return records;
}

QList<FactRecord> AllFactRecords(const HistoryStore &store, int child, QDate before)
{
    QList<FactRecord> records(AllFacts().size());
    QString current;
    std::optional<int> fact;
    int fluent = 0;
    bool first = true;
    HistoryQueries::ForEachAnswer(store, child, {}, before, [&](const ProblemAnswer &row) {
        if (first || row.problem != current) {
            first = false;
            current = row.problem;
            fact = FactOfKey(current);
            fluent = fact ? FactFluentMillis(*fact) : 0;
        }
        if (fact)
            records[*fact].Add(AnswerOf(row), fluent);
    });
    return records;
}

FactRecord SkillRecord(const HistoryStore &store, int child, const PresetPick &unit, QDate before)
{
    FactRecord record;
    const Preset *preset = PresetOf(unit);
    if (!preset)
        return record;
    const int grade = GradeOfTerm(preset->Term);
    HistoryQueries::ForEachPresetAnswer(store, child, QString::number(preset->Id), PresetTitle(*preset, unit.Choice),
                                        before, [&](const ProblemAnswer &row) {
                                            record.Add(AnswerOf(row), FluentMillis(grade, AnswerDigits(row.answer)));
                                        });
    return record;
}

QList<FactRecord> UnitRecords(const HistoryStore &store, int child, const PresetPick &unit, QDate before)
{
    if (IsClosedUnit(unit))
        return FactRecords(store, child, UnitFacts(unit), before);
    return {SkillRecord(store, child, unit, before)};
}
