#pragma once

#include "arithmetic/Presets.h"
#include "arithmetic/Problem.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The closed fact sets: every problem of the small-number units that a
// child should know by heart, each a fact of its own with a place in its
// set's grid. Units with two-digit and larger numbers are open: they are
// followed as one skill each (the preset and its choice), never per problem.
//
// Operands start at 1: a problem with a 0 (a + 0, a − 0) is a rule, not a
// fact to remember, and maps to no fact.

struct Fact {
    // The problem as the history keeps it ("8+7", "7*8", "□+7=15"), so that
    // a history row finds its fact.
    QString Key;
    Problem Question;
    int Set = 0;  // its index in FactSets()
    // Its cell in the set's grid, from 0.
    int Row = 0;
    int Column = 0;
    // The index in AllFacts() of its family's first fact: 7×8 and 8×7 share
    // one; every other fact is a family of its own.
    int Family = 0;
};

struct FactSet {
    QString Name;  // "乘法口诀", "20以内进位加法 · □+b"
    // What the grid's rows and columns count, and their headings.
    QString RowTitle;     // "第一个加数"
    QString ColumnTitle;  // "第二个加数"
    QStringList RowLabels;
    QStringList ColumnLabels;
    // Indexes into AllFacts(), by row then column; cells without a fact are
    // left empty.
    QList<int> Facts;
    // The school grade of its earliest unit, for the fluent time.
    int Grade = 1;
};

// Every fact of every set, each set's facts together.
const QList<Fact> &AllFacts();
const QList<FactSet> &FactSets();

// The fact a history row's problem is, if any.
std::optional<int> FactOfKey(QStringView key);
std::optional<int> FactOfProblem(const Problem &problem);

// Whether the unit (a preset and its choice) is one of closed facts.
bool IsClosedUnit(const PresetPick &unit);
// A closed unit's facts, in AllFacts() order; empty for an open unit.
QList<int> UnitFacts(const PresetPick &unit);
// The units a fact belongs to, in preset order.
QList<PresetPick> UnitsOfFact(int fact);
// The skill an open unit is followed as: "23:0" (the preset id and choice).
QString SkillKey(const PresetPick &unit);

// The school grade of a term name ("二年级下册" is 2), 0 when unknown.
int GradeOfTerm(std::string_view term);
