#include "arithmetic/FactSets.h"

#include "arithmetic/DrawSteps.h"
#include "arithmetic/ProblemTexts.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace {

using namespace DrawSteps::Signs;

using DrawSteps::Ones;

bool In(int x, int lo, int hi)
{
    return x >= lo && x <= hi;
}

// The base sets: a grid of numbers on each side, and the problem of a cell
// when the set has one there.
struct BaseSet {
    const char *name;
    const char *rowTitle;
    const char *columnTitle;
    int firstRow, lastRow, firstColumn, lastColumn;
    std::optional<Problem> (*cell)(int row, int column);
};

bool Carries(int a, int b)
{
    return In(a, 2, 9) && In(b, 2, 9) && a + b >= 11;
}

bool Borrows(int a, int b)
{
    return In(a, 11, 18) && In(b, 2, 9) && In(a - b, 2, 9);
}

bool SumWithoutCarry(int a, int b)
{
    return a >= 1 && b >= 1 && a + b <= 20 && (a + b <= 10 || Ones(a) + Ones(b) < 10);
}

bool DifferenceWithoutBorrow(int a, int b)
{
    return In(a, 1, 20) && In(b, 1, a) && (a <= 10 || Ones(a) >= Ones(b));
}

std::optional<Problem> When(bool holds, int a, Operator op, int b)
{
    return holds ? std::optional<Problem>(Problem::Of(a, op, b)) : std::nullopt;
}

const std::array<BaseSet, 6> kBaseSets{{
    {"20以内进位加法", "第一个加数", "第二个加数", 2, 9, 2, 9,
     [](int a, int b) { return When(Carries(a, b), a, Plus, b); }},
    {"20以内退位减法", "被减数", "减数", 11, 18, 2, 9, [](int a, int b) { return When(Borrows(a, b), a, Minus, b); }},
    {"20以内不进位加法", "第一个加数", "第二个加数", 1, 19, 1, 19,
     [](int a, int b) { return When(SumWithoutCarry(a, b), a, Plus, b); }},
    {"20以内不退位减法", "被减数", "减数", 1, 20, 1, 20,
     [](int a, int b) { return When(DifferenceWithoutBorrow(a, b), a, Minus, b); }},
    {"乘法口诀", "第一个因数", "第二个因数", 1, 9, 1, 9, [](int a, int b) { return When(true, a, Times, b); }},
    {"表内除法", "除数", "商", 2, 9, 1, 9, [](int d, int q) { return When(true, d * q, Divide, d); }},
}};

// The first addend of preset 6's choices, and the subtrahend of preset 7's.
constexpr std::array<std::array<int, 8>, 4> kChoiceNumbers{{{9}, {8, 7, 6}, {5, 4, 3, 2}, {9, 8, 7, 6, 5, 4, 3, 2}}};

bool ChoiceHas(int choice, int x)
{
    const auto &numbers = kChoiceNumbers.at(static_cast<std::size_t>(choice));
    return x > 0 && std::find(numbers.begin(), numbers.end(), x) != numbers.end();
}

// Whether a two-term problem is one the unit draws (a 0 left out).
bool InUnit(int preset, int choice, const Problem &p)
{
    const std::optional<std::int32_t> first = p.Terms[0].Whole();
    const std::optional<std::int32_t> second = p.Terms[1].Whole();
    if (p.TermCount != 2 || !first || !second)
        return false;
    const int a = *first;
    const int b = *second;
    const Operator op = p.Signs[0];
    const bool asked = p.Blank == Problem::BlankAnswer;
    switch (preset) {
    case 1:
    case 2: {
        const int limit = preset == 1 ? 5 : 10;
        return asked && a >= 1 && b >= 1 && ((op == Plus && a + b <= limit) || (op == Minus && b <= a && a <= limit));
    }
    case 3:
        return !asked && op == Plus && In(a, 1, 9) && In(b, 1, 9) && a + b == 10;
    case 5:
        return asked && ((op == Plus && ((a == 10 && In(b, 1, 9)) || (b == 10 && In(a, 1, 9)))) ||
                         (op == Minus && In(a, 11, 19) && (b == a - 10 || b == 10)));
    case 6:
        return asked && op == Plus && Carries(a, b) && ChoiceHas(choice, a);
    case 7:
        return asked && op == Minus && Borrows(a, b) && ChoiceHas(choice, b);
    case 8:
        if (op == Plus)
            return Carries(a, b) || (In(a, 1, 19) && In(b, 1, 19) && a + b <= 20 && Ones(a) + Ones(b) < 10);
        return op == Minus && (Borrows(a, b) || (In(a, 1, 20) && In(b, 1, a) && Ones(a) >= Ones(b)));
    case 15:
        return asked && op == Times && In(a, 1, 6) && In(b, 1, 6);
    case 16:
        return asked && op == Times && In(a, 1, 9) && In(b, 1, 9) && (choice == 1 || a >= 7 || b >= 7);
    case 18: {
        if (!asked || op != Divide || !In(b, 2, 9) || a % b != 0 || !In(a / b, 1, 9))
            return false;
        const bool small = b <= 6 && a / b <= 6;
        return choice == 2 || small == (choice == 0);
    }
    case 19:
        if (asked)
            return false;
        if (op == Times)
            return In(a, 2, 9) && In(b, 2, 9);
        return op == Divide && In(b, 2, 9) && a % b == 0 && In(a / b, 1, 9);
    default:
        return false;
    }
}

constexpr std::array kClosedPresets{1, 2, 3, 5, 6, 7, 8, 15, 16, 18, 19};

bool IsClosedPreset(int id)
{
    return std::find(kClosedPresets.begin(), kClosedPresets.end(), id) != kClosedPresets.end();
}

QList<PresetPick> ClosedUnits()
{
    QList<PresetPick> units;
    for (const int id : kClosedPresets) {
        const Preset *preset = FindPreset(id);
        for (int choice = 0; choice < std::max<int>(1, static_cast<int>(preset->Choices.size())); ++choice)
            units.append({id, choice});
    }
    return units;
}

QString SignText(Operator op)
{
    static constexpr std::array<QStringView, 4> kSigns{u"+", u"−", u"×", u"÷"};
    return kSigns.at(static_cast<std::size_t>(op) - 1).toString();
}

struct Tables {
    QList<Fact> facts;
    QList<FactSet> sets;
    QHash<QString, int> byKey;
    QList<QList<PresetPick>> units;
};

const Tables &Built()
{
    static const Tables tables = [] {
        Tables t;
        const QList<PresetPick> units = ClosedUnits();
        // Base facts first, then each blank form on its base's grid.
        for (int blank = Problem::BlankAnswer; blank < 2; ++blank) {
            for (const BaseSet &base : kBaseSets) {
                FactSet set;
                set.RowTitle = QString::fromUtf8(base.rowTitle);
                set.ColumnTitle = QString::fromUtf8(base.columnTitle);
                for (int r = base.firstRow; r <= base.lastRow; ++r)
                    set.RowLabels << QString::number(r);
                for (int c = base.firstColumn; c <= base.lastColumn; ++c)
                    set.ColumnLabels << QString::number(c);
                set.Grade = 9;
                const int setIndex = static_cast<int>(t.sets.size());
                for (int r = base.firstRow; r <= base.lastRow; ++r) {
                    for (int c = base.firstColumn; c <= base.lastColumn; ++c) {
                        std::optional<Problem> problem = base.cell(r, c);
                        if (!problem)
                            continue;
                        if (blank != Problem::BlankAnswer)
                            problem = problem->WithBlank(blank);
                        QList<PresetPick> of;
                        for (const PresetPick &unit : units) {
                            if (InUnit(unit.PresetId, unit.Choice, *problem))
                                of.append(unit);
                        }
                        if (of.isEmpty())
                            continue;
                        for (const PresetPick &unit : of)
                            set.Grade = std::min(set.Grade, GradeOfTerm(FindPreset(unit.PresetId)->Term));
                        Fact fact{HistoryText(*problem), *problem, setIndex, r - base.firstRow,
                                  c - base.firstColumn, static_cast<int>(t.facts.size())};
                        // b × a joins a × b's family when that came first.
                        if (problem->Signs[0] == Times && blank == Problem::BlankAnswer && c < r)
                            fact.Family = t.byKey.value(HistoryText(Problem::Of(c, Times, r)), fact.Family);
                        t.byKey.insert(fact.Key, static_cast<int>(t.facts.size()));
                        set.Facts.append(static_cast<int>(t.facts.size()));
                        t.facts.append(fact);
                        t.units.append(of);
                    }
                }
                if (set.Facts.isEmpty())
                    continue;
                const Problem &sample = t.facts.at(set.Facts.first()).Question;
                set.Name = QString::fromUtf8(base.name);
                if (blank != Problem::BlankAnswer) {
                    const QString sign = SignText(sample.Signs[0]);
                    set.Name += blank == 0 ? QStringLiteral(" · □%1b").arg(sign) : QStringLiteral(" · a%1□").arg(sign);
                }
                t.sets.append(set);
            }
        }
        return t;
    }();
    return tables;
}

}  // namespace

const QList<Fact> &AllFacts()
{
    return Built().facts;
}

const QList<FactSet> &FactSets()
{
    return Built().sets;
}

std::optional<int> FactOfKey(QStringView key)
{
    const auto found = Built().byKey.constFind(key.toString());
    if (found == Built().byKey.cend())
        return std::nullopt;
    return *found;
}

std::optional<int> FactOfProblem(const Problem &problem)
{
    return FactOfKey(HistoryText(problem));
}

bool IsClosedUnit(const PresetPick &unit)
{
    return PresetOf(unit) && IsClosedPreset(unit.PresetId);
}

QList<int> UnitFacts(const PresetPick &unit)
{
    QList<int> facts;
    if (!IsClosedUnit(unit))
        return facts;
    const Tables &t = Built();
    for (int f = 0; f < t.facts.size(); ++f) {
        if (t.units.at(f).contains(unit))
            facts.append(f);
    }
    return facts;
}

QList<PresetPick> UnitsOfFact(int fact)
{
    return Built().units.value(fact);
}

QString SkillKey(const PresetPick &unit)
{
    return QStringLiteral("%1:%2").arg(unit.PresetId).arg(unit.Choice);
}

int GradeOfTerm(std::string_view term)
{
    static constexpr std::array<std::string_view, 6> kGrades{"一", "二", "三", "四", "五", "六"};
    for (std::size_t g = 0; g < kGrades.size(); ++g) {
        if (term.starts_with(kGrades[g]))
            return static_cast<int>(g) + 1;
    }
    return 0;
}
