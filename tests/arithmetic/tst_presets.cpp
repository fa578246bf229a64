// The 课本同步 presets against the units' rules, written here from the
// rules themselves: what a teacher would check on a sheet, not how the
// problems are drawn.
#include "arithmetic/DrillPace.h"
#include "arithmetic/Presets.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/Recipe.h"

#include <QHash>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <numeric>

namespace {

constexpr Operator Plus = Operator::Addition;
constexpr Operator Minus = Operator::Subtraction;
constexpr Operator Times = Operator::Multiplication;
constexpr Operator Divide = Operator::Division;

int Ones(int x)
{
    return x % 10;
}

bool In(std::int64_t x, int lo, int hi)
{
    return x >= lo && x <= hi;
}

bool Tens(int x)
{
    return x >= 10 && x % 10 == 0;
}

// One sign applied, or nothing when the result is not a whole number.
std::optional<std::int64_t> Step(std::int64_t a, Operator op, std::int64_t b)
{
    switch (op) {
    case Plus:
        return a + b;
    case Minus:
        return a - b;
    case Times:
        return a * b;
    case Divide:
        break;
    }
    if (b == 0 || a % b != 0)
        return std::nullopt;
    return a / b;
}

// A problem's terms, signs and every partial result on the way to the
// answer, as a child works it: brackets first, then × and ÷, then + and −.
struct Worked {
    int a = 0, b = 0, c = 0;
    Operator first = Plus, second = Plus;
    std::vector<std::int64_t> partials;  // the last is the answer
    bool whole = true;
};

Worked Work(const Problem &p)
{
    const bool wholeTerms = std::ranges::all_of(p.Terms, [](const Term &t) { return t.Whole().has_value(); });
    Worked w{p.Terms[0].Value.Numerator(), p.Terms[1].Value.Numerator(), p.Terms[2].Value.Numerator(),
             p.Signs[0], p.Signs[1], {}, wholeTerms};
    const auto push = [&w](std::optional<std::int64_t> v) {
        w.whole = w.whole && v.has_value();
        w.partials.push_back(v.value_or(-1));
        return v.value_or(-1);
    };
    if (p.TermCount == 2) {
        push(p.Result.Kind == AnswerKind::Whole ? Step(w.a, w.first, w.b) : std::optional<std::int64_t>(w.a / w.b));
        return w;
    }
    const bool tight = [](Operator op) { return op == Times || op == Divide; }(w.second);
    const bool lastFirst = p.Group == Brackets::LastTwo
        || (p.Group == Brackets::None && tight && w.first != Times && w.first != Divide);
    if (lastFirst)
        push(Step(w.a, w.first, push(Step(w.b, w.second, w.c))));
    else
        push(Step(push(Step(w.a, w.first, w.b)), w.second, w.c));
    return w;
}

bool AllIn(const Worked &w, int lo, int hi)
{
    return std::all_of(w.partials.begin(), w.partials.end(), [&](std::int64_t v) { return In(v, lo, hi); });
}

bool AddOrSub(Operator op)
{
    return op == Plus || op == Minus;
}

bool Carries(const Worked &w)
{
    return w.first == Plus ? Ones(w.a) + Ones(w.b) >= 10 : Ones(w.a) < Ones(w.b);
}

bool DigitsDoNotCarry(int m, int d)
{
    return Ones(m) * d < 10 && (m / 10) * d < 10;
}

// A number as the test works it, apart from the program's own arithmetic:
// numerator over a positive denominator, in lowest terms.
struct Rational {
    std::int64_t n = 0, d = 1;

    static Rational Of(std::int64_t n, std::int64_t d)
    {
        const std::int64_t g = std::gcd(n, d) * (d < 0 ? -1 : 1);
        return {n / g, d / g};
    }
    static Rational Of(const Term &t) { return Of(t.Value.Numerator(), t.Value.Denominator()); }
    bool operator==(const Rational &) const = default;
    bool operator<(const Rational &o) const { return n * o.d < o.n * d; }
    bool Whole() const { return d == 1; }
    // The places a decimal needs to write it, or -1 when more than nine.
    int Places() const
    {
        std::int64_t power = 1;
        for (int k = 0; k <= 9; ++k, power *= 10) {
            if (power % d == 0)
                return k;
        }
        return -1;
    }
};

Rational Apply(Rational a, Operator op, Rational b)
{
    switch (op) {
    case Plus:
        return Rational::Of(a.n * b.d + b.n * a.d, a.d * b.d);
    case Minus:
        return Rational::Of(a.n * b.d - b.n * a.d, a.d * b.d);
    case Times:
        return Rational::Of(a.n * b.n, a.d * b.d);
    case Divide:
        break;
    }
    return Rational::Of(a.n * b.d, a.d * b.n);
}

bool IsFraction(const Term &t, int largestDenominator)
{
    return t.Form == NumberForm::Fraction && In(t.WrittenDenominator, 2, largestDenominator)
        && In(t.WrittenNumerator(), 1, t.WrittenDenominator - 1);
}

bool IsWhole(const Term &t, int lo, int hi)
{
    return t.Whole() && In(*t.Whole(), lo, hi);
}

// A plain number (no fraction, no percent) written with places decimal
// places at most, more than 0.
bool IsDecimal(const Term &t, int places)
{
    const Rational x = Rational::Of(t);
    return t.Form == NumberForm::Plain && x.n > 0 && In(x.Places(), 0, places);
}

// The tenths digit of a one-place decimal.
int Tenths(const Rational &x)
{
    return int(x.n * (10 / x.d) % 10);
}

// The rule of a decimal, fraction or percent unit, from the table of units;
// the open points of each are those its drawing rule names.
bool FollowsNumberRule(int id, int choice, const Problem &p)
{
    const Term &a = p.Terms[0];
    const Term &b = p.Terms[1];
    const Rational x = Rational::Of(a);
    const Rational y = Rational::Of(b);
    const Operator op = p.Signs[0];
    const Rational answer = Apply(x, op, y);
    const Preset &preset = *FindPreset(id);
    if (p.TermCount != 2 || p.Blank != Problem::BlankAnswer || p.Result.Kind != preset.Kind
        || Rational::Of(p.Result.Number.Numerator(), p.Result.Number.Denominator()) != answer || answer.n < 0)
        return false;
    switch (id) {
    case 29: {
        // a/n ± b/n or 1 − a/n, n in 2..10, the answer within 0..1, written
        // with the denominator n whether or not it reduces.
        const bool same = IsFraction(a, 10) && IsFraction(b, 10) && a.WrittenDenominator == b.WrittenDenominator;
        const bool fromOne = IsWhole(a, 1, 1) && op == Minus && IsFraction(b, 10);
        return AddOrSub(op) && (same || fromOne) && !(Rational{1, 1} < answer);
    }
    case 30: {
        // One decimal place, 0.1..9.9; 不进退位: the tenths neither carry
        // nor borrow.
        const bool onePlace = IsDecimal(a, 1) && IsDecimal(b, 1) && x.Places() == 1 && y.Places() == 1
            && x < Rational{10, 1} && y < Rational{10, 1};
        const bool regroups = op == Plus ? Tenths(x) + Tenths(y) >= 10 : Tenths(x) < Tenths(y);
        return AddOrSub(op) && onePlace && (choice == 1 || !regroups);
    }
    case 31:
        // x × or ÷ 10, 100, 1000, x with two decimal places at most.
        return (op == Times || op == Divide) && IsDecimal(a, 2) && (b == Term(10) || b == Term(100) || b == Term(1000));
    case 32: {
        // Two decimal places, the sum below 100 (of a difference, the
        // minuend is the sum).
        const bool twoPlaces = IsDecimal(a, 2) && IsDecimal(b, 2) && (x.Places() == 2 || y.Places() == 2);
        return AddOrSub(op) && twoPlaces && (op == Plus ? answer : x) < Rational{100, 1};
    }
    case 33:
        // A decimal × or ÷ 2..9, the result exact within three places.
        return (op == Times || op == Divide) && IsDecimal(a, 3) && !x.Whole() && IsWhole(b, 2, 9)
            && In(answer.Places(), 0, 3);
    case 34:
        // a/m ± b/n, m and n in 2..12 and not the same.
        return AddOrSub(op) && IsFraction(a, 12) && IsFraction(b, 12) && a.WrittenDenominator != b.WrittenDenominator;
    case 35: {
        // fraction × whole number, fraction × fraction, fraction ÷ whole
        // number, whole number ÷ fraction; denominators 12 at most.
        const bool wholeB = b.Whole() && *b.Whole() > 0;
        const bool times = op == Times && IsFraction(a, 12) && (wholeB || IsFraction(b, 12));
        const bool divide = op == Divide && ((IsFraction(a, 12) && wholeB) || (a.Whole() && *a.Whole() > 0 && IsFraction(b, 12)));
        return times || divide;
    }
    case 36: {
        // p% of x, p from the list, the answer whole or with one place.
        static const QList<int> percents{1, 5, 10, 20, 25, 50, 75, 100, 150, 200};
        return op == Times && a.Form == NumberForm::Percent && percents.contains(int(x.n * 100 / x.d))
            && b.Whole() && *b.Whole() > 0 && In(answer.Places(), 0, 1);
    }
    }
    return false;
}

// The unit's rule for one problem, from the table of units.
bool FollowsRule(int id, int choice, const Problem &p)
{
    if (id >= 29)
        return FollowsNumberRule(id, choice, p);
    const Worked w = Work(p);
    const std::int64_t answer = w.partials.back();
    const bool two = p.TermCount == 2 && p.Group == Brackets::None;
    const bool noBlank = p.Blank == Problem::BlankAnswer;
    if (!w.whole || answer < 0)
        return false;
    if (p.Result.Kind == AnswerKind::Whole && p.Result.Number != Exact(static_cast<std::int32_t>(answer)))
        return false;
    switch (id) {
    case 1:
    case 2: {
        const int limit = id == 1 ? 5 : 10;
        return two && noBlank && AddOrSub(w.first) && w.a >= 0 && w.b >= 0
            && (w.first == Plus ? w.a + w.b <= limit : w.b <= w.a && w.a <= limit);
    }
    case 3:
        return two && w.first == Plus && answer == 10 && In(p.Terms[1 - p.Blank].Value.Numerator(), 1, 9) && p.Blank != Problem::BlankAnswer;
    case 4:
        return p.TermCount == 3 && p.Group == Brackets::None && AddOrSub(w.first) && AddOrSub(w.second)
            && In(w.a, 1, 9) && In(w.b, 1, 9) && In(w.c, 1, 9) && AllIn(w, 0, 10) && noBlank;
    case 5:
        return two && noBlank
            && ((w.first == Plus && ((w.a == 10 && In(w.b, 1, 9)) || (w.b == 10 && In(w.a, 1, 9))))
                || (w.first == Minus && In(w.a, 11, 19) && (w.b == 10 || w.b == w.a - 10)));
    case 6: {
        static const QList<QList<int>> firsts{{9}, {8, 7, 6}, {5, 4, 3, 2}, {2, 3, 4, 5, 6, 7, 8, 9}};
        return two && noBlank && w.first == Plus && firsts[choice].contains(w.a) && In(w.b, 2, 9) && w.a + w.b >= 11;
    }
    case 7: {
        static const QList<QList<int>> subtrahends{{9}, {8, 7, 6}, {5, 4, 3, 2}, {2, 3, 4, 5, 6, 7, 8, 9}};
        return two && noBlank && w.first == Minus && In(w.a, 11, 18) && subtrahends[choice].contains(w.b)
            && w.b > Ones(w.a);
    }
    case 8: {
        const bool carryAdd = w.first == Plus && In(w.a, 2, 9) && In(w.b, 2, 9) && w.a + w.b >= 11;
        const bool borrowSub = w.first == Minus && In(w.a, 11, 18) && In(w.b, 2, 9) && w.b > Ones(w.a);
        const bool plainAdd = w.first == Plus && w.a >= 1 && w.b >= 1 && w.a + w.b <= 20 && !Carries(w);
        const bool plainSub = w.first == Minus && w.b >= 1 && w.b <= w.a && w.a <= 20 && !Carries(w);
        return two && (carryAdd || borrowSub || plainAdd || plainSub);
    }
    case 9:
        return two && noBlank
            && ((w.first == Plus && Tens(w.a) && w.a <= 90 && In(w.b, 1, 9))
                || (w.first == Minus && In(w.a, 11, 99) && Ones(w.a) != 0 && (w.b == Ones(w.a) || w.b == w.a - Ones(w.a))));
    case 10:
        return two && noBlank && AddOrSub(w.first) && Tens(w.a) && Tens(w.b) && w.a <= 90 && w.b <= 90 && answer <= 100;
    case 11:
    case 12: {
        const bool fits = id == 11 ? w.first == Plus && answer <= 100 : w.first == Minus && w.b < w.a;
        return two && noBlank && fits && In(w.a, 10, 99) && (In(w.b, 1, 9) || (Tens(w.b) && w.b <= 90))
            && (choice == 2 || Carries(w) == (choice == 1));
    }
    case 13:
        return two && noBlank && AddOrSub(w.first) && In(w.a, 10, 99) && In(w.b, 10, 99) && answer <= 100
            && (choice == 2 || Carries(w) == (choice == 1));
    case 14: {
        const bool shape = choice == 0
            ? p.Group == Brackets::None && AddOrSub(w.first) && AddOrSub(w.second)
            : p.Group == Brackets::LastTwo
                && ((w.first == Minus && AddOrSub(w.second)) || (w.first == Plus && w.second == Minus));
        return p.TermCount == 3 && noBlank && shape && AllIn(w, 0, 100);
    }
    case 15:
        return two && noBlank && w.first == Times && In(w.a, 1, 6) && In(w.b, 1, 6);
    case 16:
        return two && noBlank && w.first == Times && In(w.a, 1, 9) && In(w.b, 1, 9)
            && (choice == 1 || w.a >= 7 || w.b >= 7);
    case 17:
        return p.TermCount == 3 && p.Group == Brackets::None && noBlank && w.first == Times && AddOrSub(w.second)
            && In(w.a, 2, 9) && In(w.b, 2, 9) && In(w.c, 1, 20) && In(answer, 0, 100);
    case 18: {
        const std::int64_t q = answer;
        const bool tables = choice == 0 ? w.b <= 6 && q <= 6 : choice == 1 ? w.b >= 7 || q >= 7 : true;
        return two && noBlank && w.first == Divide && In(w.b, 2, 9) && In(q, 1, 9) && tables;
    }
    case 19:
        return two && p.Blank != Problem::BlankAnswer
            && ((w.first == Times && In(w.a, 1, 9) && In(w.b, 1, 9))
                || (w.first == Divide && In(w.b, 1, 9) && In(answer, 1, 9)));
    case 20:
        return two && noBlank && w.first == Divide && p.Result.Kind == AnswerKind::QuotientRemainder
            && In(w.b, 2, 9) && In(p.Result.Number.Numerator(), 1, 9) && In(p.Result.Remainder, 1, w.b - 1)
            && w.a == w.b * p.Result.Number.Numerator() + p.Result.Remainder;
    case 21: {
        // Every × and ÷ within the tables.
        const auto tableStep = [](std::int64_t x, Operator op, std::int64_t y) {
            return op == Times ? In(x, 1, 9) && In(y, 1, 9)
                : op == Divide ? In(y, 1, 9) && y != 0 && x % y == 0 && In(x / y, 1, 9) : true;
        };
        bool tables = true;
        if (p.Group == Brackets::FirstTwo)
            tables = tableStep(w.partials[0], w.second, w.c);
        else if (w.second == Times || w.second == Divide)
            tables = w.first == Times || w.first == Divide ? tableStep(w.a, w.first, w.b) && tableStep(w.partials[0], w.second, w.c)
                                                          : tableStep(w.b, w.second, w.c);
        else
            tables = tableStep(w.a, w.first, w.b);
        return p.TermCount == 3 && noBlank && tables && AllIn(w, 0, 100) && p.Group != Brackets::LastTwo;
    }
    case 22: {
        const bool hundreds = w.a % 100 == 0 && w.b % 100 == 0 && In(w.a, 100, 1000) && In(w.b, 100, 1000);
        const bool thousands = w.a % 1000 == 0 && w.b % 1000 == 0 && In(w.a, 1000, 10000) && In(w.b, 1000, 10000);
        return two && noBlank && AddOrSub(w.first) && (hundreds || thousands) && answer <= 10000;
    }
    case 23:
        return two && noBlank && AddOrSub(w.first) && In(w.a, 10, 99) && In(w.b, 10, 99) && answer <= 200;
    case 24: {
        const bool round = In(w.b, 2, 9) && ((Tens(w.a) && w.a <= 90) || (w.a % 100 == 0 && In(w.a, 100, 900)));
        const bool twoDigit = In(w.b, 2, 9) && In(w.a, 10, 99)
            && (choice == 0 ? DigitsDoNotCarry(w.a, w.b) : answer <= 200);
        return two && noBlank && w.first == Times && (round || twoDigit);
    }
    case 25: {
        const int d = w.b;
        const bool scaled = [&] {
            for (const int unit : {10, 100, 1000}) {
                if (w.a % unit == 0 && w.a / unit % d == 0 && In(w.a / unit / d, 1, 9))
                    return true;
            }
            return false;
        }();
        const bool digits = In(w.a, 10, 99) && (w.a / 10) % d == 0 && Ones(w.a) % d == 0;
        return two && noBlank && w.first == Divide && In(d, 2, 9) && (scaled || digits);
    }
    case 26: {
        const bool tensByTens = Tens(w.a) && w.a <= 90 && Tens(w.b) && w.b <= 90;
        const bool twoDigit = In(w.a, 10, 99) && Tens(w.b) && w.b <= 90 && DigitsDoNotCarry(w.a, w.b / 10);
        return two && noBlank && w.first == Times && (tensByTens || twoDigit);
    }
    case 27: {
        const auto hundredsAndTens = [](int x) { return In(x, 110, 990) && x % 10 == 0 && (x / 10) % 10 != 0; };
        const bool times = w.first == Times && hundredsAndTens(w.a) && Tens(w.b) && w.b <= 90;
        const bool divide = w.first == Divide && Tens(w.b) && w.b <= 90 && (hundredsAndTens(w.a) || (Tens(w.a) && w.a <= 90));
        return two && noBlank && (times || divide);
    }
    case 28: {
        const bool quarter = w.first == Times && w.a == 25 && p.TermCount == 2 && w.b % 4 == 0;
        const bool eighth = w.first == Times && w.a == 125 && p.TermCount == 2 && w.b % 8 == 0;
        const bool nearHundred = p.TermCount == 2 && AddOrSub(w.first) && (w.b == 99 || w.b == 101) && In(w.a, 100, 999);
        const bool bracketed = p.TermCount == 3 && p.Group == Brackets::LastTwo && w.a == 25 && w.first == Times
            && w.b == 4 && w.second == Times;
        const bool times101 = p.TermCount == 2 && w.first == Times && w.b == 101 && In(w.a, 10, 99);
        return noBlank && (quarter || eighth || nearHundred || bracketed || times101);
    }
    }
    return false;
}

// A 0 operand, or a factor 1, where the unit wants it rare.
bool HasRareOperand(int id, const Problem &p)
{
    if (id == 1 || id == 2)
        return p.Terms[0] == 0 || p.Terms[1] == 0;
    if (id == 15 || id == 16)
        return p.Terms[0] == 1 || p.Terms[1] == 1;
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Problem)

Q_DECLARE_METATYPE(Recipe)

class tst_Presets : public QObject {
    Q_OBJECT

private slots:
    void table()
    {
        QCOMPARE(Presets().size(), std::size_t{36});
        for (std::size_t i = 0; i < Presets().size(); ++i)
            QCOMPARE(Presets()[i].Id, int(i) + 1);
        const Preset &carry = *FindPreset(6);
        QCOMPARE(PresetTitle(carry, 0), QStringLiteral("20以内进位加法 · 9加几"));
        QCOMPARE(carry.ProblemsPerMinute, 10);
        QCOMPARE(carry.AccuracyPercent, 90);
        QCOMPARE(FindPreset(20)->Kind, AnswerKind::QuotientRemainder);
        QVERIFY(!FindPreset(37));
        QVERIFY(!PresetOf({6, 4}));
        QVERIFY(PresetOf({30, 1}));
        QVERIFY(!PresetOf({30, 2}));
        QCOMPARE(PresetTitle(*FindPreset(30), 1), QStringLiteral("一位小数加减 · 可进退位"));
        // 约分 is taught in 五下: from 异分母分数加减 on, an unreduced fraction is not yet right.
        for (const Preset &preset : Presets())
            QCOMPARE(preset.WantsLowestTerms, preset.Id >= 34);
    }

    // The decimal, fraction and percent units under their terms, with the
    // kind of answer each asks for.
    void numberUnits_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("term");
        QTest::addColumn<AnswerKind>("kind");
        const auto fraction = AnswerKind::Fraction;
        const auto decimal = AnswerKind::Decimal;
        QTest::newRow("29") << 29 << "三年级上册" << fraction;
        QTest::newRow("30") << 30 << "三年级下册" << decimal;
        QTest::newRow("31") << 31 << "四年级下册" << decimal;
        QTest::newRow("32") << 32 << "四年级下册" << decimal;
        QTest::newRow("33") << 33 << "五年级上册" << decimal;
        QTest::newRow("34") << 34 << "五年级下册" << fraction;
        QTest::newRow("35") << 35 << "六年级上册" << fraction;
        QTest::newRow("36") << 36 << "六年级上册" << AnswerKind::Percent;
    }

    void numberUnits()
    {
        QFETCH(int, id);
        const Preset &preset = *FindPreset(id);
        QTEST(QString::fromUtf8(preset.Term.data(), qsizetype(preset.Term.size())), "term");
        QTEST(preset.Kind, "kind");
        QVERIFY(std::ranges::find(PresetTerms(), preset.Term) != PresetTerms().end());
    }

    void followsItsRules_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("distinct");  // every problem of a small unit; 0: not counted
        const QMap<QPair<int, int>, int> small{{{3, 0}, 18}, {{6, 0}, 8}, {{6, 3}, 36}, {{7, 3}, 36}, {{5, 0}, 36},
                                               {{15, 0}, 36}};
        for (const Preset &preset : Presets()) {
            const int choices = std::max(1, int(preset.Choices.size()));
            for (int choice = 0; choice < choices; ++choice) {
                QTest::addRow("%d %s", preset.Id, qPrintable(PresetTitle(preset, choice)))
                    << preset.Id << choice << small.value({preset.Id, choice});
            }
        }
    }

    // 10,000 problems in a row, each by its unit's rule, never one twice in
    // a row; a small unit shows every one of its problems.
    void followsItsRules()
    {
        QFETCH(int, id);
        QFETCH(int, choice);
        QFETCH(int, distinct);
        const Preset &preset = *FindPreset(id);
        RandomSource source(std::uint32_t(id) * 7919u + std::uint32_t(choice));
        QSet<QString> seen;
        int rare = 0;
        Problem previous = preset.Draw(choice, source);
        for (int i = 0; i < 10000; ++i) {
            const Problem p = DrawNext(preset, choice, source, previous);
            if (!FollowsRule(id, choice, p))
                QFAIL(qPrintable(RecordLine(p, AnswerText(p.Expected()))));
            QVERIFY(!(p == previous));
            QCOMPARE(p.Kind(), p.Blank == Problem::BlankAnswer ? preset.Kind : AnswerKind::Whole);
            seen.insert(PrintedText(p));
            rare += HasRareOperand(id, p);
            previous = p;
        }
        QVERIFY2(rare <= 1200, "0 and ×1 are rare: one problem in ten at most");
        if (distinct)
            QCOMPARE(seen.size(), distinct);
    }

    void paperHasNoRepeats_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("distinct");
        QTest::newRow("凑十, 18 on a paper of 18") << 3 << 18 << 18;
        QTest::newRow("凑十, 100: every form five or six times") << 3 << 100 << 18;
        QTest::newRow("有余数的除法, 100") << 20 << 100 << 100;
        QTest::newRow("10以内连加连减, 100") << 4 << 100 << 100;
        for (int id = 29; id <= 36; ++id)
            QTest::addRow("%s, 100", std::string(FindPreset(id)->Name).c_str()) << id << 100 << 100;
    }

    void paperHasNoRepeats()
    {
        QFETCH(int, id);
        QFETCH(int, count);
        QFETCH(int, distinct);
        RandomSource source(2024);
        const QList<Problem> paper = DrawPaper(*FindPreset(id), 0, count, source);
        QCOMPARE(paper.size(), count);
        QHash<QString, int> times;
        for (qsizetype i = 0; i < paper.size(); ++i) {
            ++times[PrintedText(paper[i])];
            if (i > 0)
                QVERIFY(!(paper[i] == paper[i - 1]));
        }
        QCOMPARE(times.size(), distinct);
        for (const int n : times)
            QVERIFY(n == count / distinct || n == count / distinct + 1);
    }

    // A paper draws as the drill does: 0 and ×1 stay rare, ordinary
    // problems go round before one comes twice, never one twice in a row.
    void paperKeepsTheDrillsRarity_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("ordinary");
        QTest::newRow("5以内加减") << 1 << 0 << 25;
        QTest::newRow("10以内加减") << 2 << 0 << 100;
        QTest::newRow("1～6的乘法口诀") << 15 << 0 << 25;
        QTest::newRow("7～9的乘法口诀") << 16 << 0 << 39;
    }

    void paperKeepsTheDrillsRarity()
    {
        QFETCH(int, id);
        QFETCH(int, choice);
        QFETCH(int, ordinary);
        constexpr int kPapers = 100;
        constexpr int kQuestions = 100;
        int rareInAll = 0;
        for (std::uint32_t seed = 1; seed <= kPapers; ++seed) {
            RandomSource source(seed * 7919u + std::uint32_t(id));
            const QList<Problem> paper = DrawPaper(*FindPreset(id), choice, kQuestions, source);
            QCOMPARE(paper.size(), kQuestions);
            int rare = 0;
            QHash<QString, int> times;
            for (qsizetype i = 0; i < paper.size(); ++i) {
                QVERIFY(FollowsRule(id, choice, paper[i]));
                if (i > 0)
                    QVERIFY2(!(paper[i] == paper[i - 1]), "the same problem twice in a row");
                if (HasRareOperand(id, paper[i]))
                    ++rare;
                else
                    ++times[PrintedText(paper[i])];
            }
            QVERIFY2(rare <= 15, qPrintable(QStringLiteral("seed %1: %2 of %3").arg(seed).arg(rare).arg(kQuestions)));
            QCOMPARE(times.size(), std::min(ordinary, kQuestions - rare));
            const auto [fewest, most] = std::ranges::minmax(times.values());
            QVERIFY2(most - fewest <= 1, "an ordinary problem came again before another came at all");
            rareInAll += rare;
        }
        QVERIFY2(rareInAll * 25 >= kPapers * kQuestions, "0 and ×1 still come up");
    }

    // One seed, one problem, on every machine.
    void pinnedDraws_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("choice");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("line");
        QTest::newRow("1/0") << 1 << 0 << 101u << QStringLiteral("2-1=1");
        QTest::newRow("2/0") << 2 << 0 << 202u << QStringLiteral("9-4=5");
        QTest::newRow("3/0") << 3 << 0 << 303u << QStringLiteral("(5)+5=10");
        QTest::newRow("4/0") << 4 << 0 << 404u << QStringLiteral("8-5+6=9");
        QTest::newRow("5/0") << 5 << 0 << 505u << QStringLiteral("10+8=18");
        QTest::newRow("6/0") << 6 << 0 << 606u << QStringLiteral("9+2=11");
        QTest::newRow("6/3") << 6 << 3 << 609u << QStringLiteral("9+5=14");
        QTest::newRow("7/1") << 7 << 1 << 708u << QStringLiteral("14-8=6");
        QTest::newRow("8/0") << 8 << 0 << 808u << QStringLiteral("17-8=9");
        QTest::newRow("9/0") << 9 << 0 << 909u << QStringLiteral("50+2=52");
        QTest::newRow("10/0") << 10 << 0 << 1010u << QStringLiteral("90-80=10");
        QTest::newRow("11/1") << 11 << 1 << 1112u << QStringLiteral("86+8=94");
        QTest::newRow("12/2") << 12 << 2 << 1214u << QStringLiteral("18-5=13");
        QTest::newRow("13/0") << 13 << 0 << 1313u << QStringLiteral("82-30=52");
        QTest::newRow("14/0") << 14 << 0 << 1414u << QStringLiteral("48-26+33=55");
        QTest::newRow("14/1") << 14 << 1 << 1415u << QStringLiteral("15+(86-50)=51");
        QTest::newRow("15/0") << 15 << 0 << 1515u << QStringLiteral("6*3=18");
        QTest::newRow("16/1") << 16 << 1 << 1617u << QStringLiteral("6*2=12");
        QTest::newRow("17/0") << 17 << 0 << 1717u << QStringLiteral("9*6+20=74");
        QTest::newRow("18/0") << 18 << 0 << 1818u << QStringLiteral("8/2=4");
        QTest::newRow("19/0") << 19 << 0 << 1919u << QStringLiteral("(3)*4=12");
        QTest::newRow("20/0") << 20 << 0 << 2020u << QStringLiteral("49/5=9……4");
        QTest::newRow("21/0") << 21 << 0 << 2121u << QStringLiteral("99-16/4=95");
        QTest::newRow("22/0") << 22 << 0 << 2222u << QStringLiteral("7000-4000=3000");
        QTest::newRow("23/0") << 23 << 0 << 2323u << QStringLiteral("41-31=10");
        QTest::newRow("24/1") << 24 << 1 << 2425u << QStringLiteral("90*2=180");
        QTest::newRow("25/0") << 25 << 0 << 2525u << QStringLiteral("39/3=13");
        QTest::newRow("26/0") << 26 << 0 << 2626u << QStringLiteral("70*70=4900");
        QTest::newRow("27/0") << 27 << 0 << 2727u << QStringLiteral("180/60=3");
        QTest::newRow("28/0") << 28 << 0 << 2828u << QStringLiteral("467-101=366");
        QTest::newRow("29/0") << 29 << 0 << 2929u << QStringLiteral("2/10+2/10=2/5");
        QTest::newRow("30/0") << 30 << 0 << 3030u << QStringLiteral("2.1+6.7=8.8");
        QTest::newRow("30/1") << 30 << 1 << 3031u << QStringLiteral("7.5+0.5=8");
        QTest::newRow("31/0") << 31 << 0 << 3131u << QStringLiteral("43.8*1000=43800");
        QTest::newRow("32/0") << 32 << 0 << 3232u << QStringLiteral("2+3.58=5.58");
        QTest::newRow("33/0") << 33 << 0 << 3333u << QStringLiteral("6.5/4=1.625");
        QTest::newRow("34/0") << 34 << 0 << 3434u << QStringLiteral("2/3-3/10=11/30");
        QTest::newRow("35/0") << 35 << 0 << 3535u << QStringLiteral("10÷2/3=15");
        QTest::newRow("36/0") << 36 << 0 << 3636u << QStringLiteral("1%×800=8");
    }

    void pinnedDraws()
    {
        QFETCH(int, id);
        QFETCH(int, choice);
        QFETCH(quint32, seed);
        RandomSource source(seed);
        const Problem p = FindPreset(id)->Draw(choice, source);
        QTEST(RecordLine(p, AnswerText(p.Expected())), "line");
    }

    // One seed, one paper, on every machine: the drill's draws and the
    // paper's choice among them.
    void pinnedPaper_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("lines");
        QTest::newRow("29") << 29 << 29u
                             << QStringLiteral("7/10+1/10=4/5 7/9-2/9=5/9 5/10-4/10=1/10 4/5+1/5=1 8/10+1/10=9/10");
        QTest::newRow("33") << 33 << 33u << QStringLiteral("5.2*5=26 1.1*2=2.2 1.4*2=2.8 0.88*2=1.76 3.6/8=0.45");
        QTest::newRow("36") << 36 << 36u << QStringLiteral("5%×300=15 100%×1000=1000 75%×400=300 150%×600=900 100%×2=2");
    }

    void pinnedPaper()
    {
        QFETCH(int, id);
        QFETCH(quint32, seed);
        RandomSource source(seed);
        QStringList lines;
        for (const Problem &p : DrawPaper(*FindPreset(id), 0, 5, source))
            lines << RecordLine(p, AnswerText(p.Expected()));
        QTEST(lines.join(u' '), "lines");
    }

    // A recipe's paper from its seed: the same on every machine, in order and
    // shuffled (9加几 in two rows apart, the classic lists, 填空 and 余数), and
    // a fifth-grade teacher's fractions and decimals beside 表内除法 填空.
    void pinnedRecipePapers_data()
    {
        QTest::addColumn<Recipe>("recipe");
        QTest::addColumn<QString>("lines");
        Recipe mixed;
        mixed.Rows = {{.Pick = {6, 0}, .Count = 3}, {.Range = 100, .Count = 2}, {.Pick = {19, 0}, .Count = 2},
                      {.Pick = {20, 0}, .Count = 2}, {.Pick = {6, 0}, .Count = 1}};
        QTest::newRow("in order") << mixed
                                  << QStringLiteral("9+6=15 9+9=18 9+8=17 57+45=102 64-11=53 42/(6)=7 4*(5)=20 "
                                                    "51/9=5……6 26/5=5……1 9+7=16");
        mixed.Order = RecipeOrder::Shuffled;
        QTest::newRow("shuffled") << mixed
                                  << QStringLiteral("9+8=17 9+7=16 42/(6)=7 26/5=5……1 51/9=5……6 9+6=15 4*(5)=20 "
                                                    "9+9=18 64-11=53 57+45=102");
        const Recipe fifthGrade{.Rows = {{.Pick = {34, 0}, .Count = 4}, {.Pick = {33, 0}, .Count = 3},
                                         {.Pick = {19, 0}, .Count = 3}},
                                .Order = RecipeOrder::Shuffled};
        QTest::newRow("fractions, decimals and 填空") << fifthGrade
                                                      << QStringLiteral("3.5*8=28 7/12-1/6=5/12 5/8+1/12=17/24 1/4+1/12=1/3 "
                                                                        "2.6/8=0.325 5/7-1/4=13/28 6*(3)=18 8.4*3=25.2 "
                                                                        "(7)/7=1 6*(7)=42");
    }

    void pinnedRecipePapers()
    {
        QFETCH(Recipe, recipe);
        RandomSource source(2026);
        QStringList lines;
        for (const auto &[p, lowestTerms] : DrawRecipePaper(recipe, source))
            lines << RecordLine(p, AnswerText(p.Expected()));
        QTEST(lines.join(u' '), "lines");
    }

    // The result panel's line in the child's words, against 20以内进位加法's
    // 10 题/分 and 90%.
    void verdict_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("met") << 25 << 24 << 158 << "9.4 题/分" << "还差一点：速度还差 0.6 题/分。";
        QTest::newRow("fast and right") << 20 << 19 << 120 << "10.0 题/分"
                                        << "速度 10.0 题/分，正确率 95%，达到了 20以内进位加法 的口算标准！";
        QTest::newRow("exactly the accuracy") << 20 << 18 << 120 << "10.0 题/分"
                                              << "速度 10.0 题/分，正确率 90%，达到了 20以内进位加法 的口算标准！";
        QTest::newRow("fast, too many wrong") << 20 << 17 << 60 << "20.0 题/分" << "还差一点：正确率还差 5%。";
        QTest::newRow("9.96 is not 10") << 83 << 83 << 500 << "9.9 题/分" << "还差一点：速度还差 0.1 题/分。";
        QTest::newRow("both short") << 16 << 14 << 120 << "8.0 题/分"
                                    << "还差一点：速度还差 2 题/分，正确率还差 3%。";
    }

    void verdict()
    {
        QFETCH(int, total);
        QFETCH(int, right);
        QFETCH(int, seconds);
        const DrillPace pace{total, right, seconds * 1000LL};
        QTEST(pace.SpeedText(), "speed");
        QTEST(pace.Verdict(*FindPreset(6)), "verdict");
    }

    void timeText_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a minute") << 59999 << "59秒";
        QTest::newRow("a minute") << 60000 << "1分00秒";
        QTest::newRow("over a minute") << 65000 << "1分05秒";
    }

    void timeText()
    {
        QFETCH(int, milliseconds);
        QTEST((DrillPace{1, 1, milliseconds}.TimeText()), "text");
    }

    // The 达标 figures of every unit, as the curriculum sets them.
    void targets_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("perMinute");
        QTest::addColumn<int>("accuracy");
        const int table[][3] = {{1, 15, 95},  {2, 12, 95},  {3, 12, 95},  {4, 6, 90},   {5, 12, 95},  {6, 10, 90},
                                {7, 10, 90},  {8, 8, 90},   {9, 10, 95},  {10, 10, 95}, {11, 8, 90},  {12, 8, 90},
                                {13, 6, 90},  {14, 4, 90},  {15, 10, 95}, {16, 10, 95}, {17, 6, 90},  {18, 10, 95},
                                {19, 8, 90},  {20, 6, 90},  {21, 4, 90},  {22, 10, 95}, {23, 6, 90},  {24, 8, 90},
                                {25, 8, 90},  {26, 8, 90},  {27, 6, 90},  {28, 4, 90},  {29, 6, 90},  {30, 8, 90},
                                {31, 10, 95}, {32, 6, 90},  {33, 6, 90},  {34, 4, 90},  {35, 5, 90},  {36, 6, 90}};
        for (const auto &[id, perMinute, accuracy] : table)
            QTest::addRow("%d", id) << id << perMinute << accuracy;
    }

    void targets()
    {
        QFETCH(int, id);
        const Preset *preset = FindPreset(id);
        QVERIFY(preset);
        QTEST(preset->ProblemsPerMinute, "perMinute");
        QTEST(preset->AccuracyPercent, "accuracy");
    }

    void texts_data()
    {
        QTest::addColumn<Problem>("problem");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("spokenEquation");
        Problem remainder = Problem::Of(38, Divide, 5);
        remainder.Result = AnswerValue::WithRemainder(7, 3);
        QTest::newRow("classic") << Problem::Of(4, Plus, 5) << "4+5=9" << "4 + 5=" << "4加5等于" << "4+5=9"
                                 << "4加5等于9";
        QTest::newRow("blank first") << Problem::Of(7, Plus, 3).WithBlank(0) << "(7)+3=10" << "□ + 3=10"
                                     << "几加3等于10" << "7+3=10" << "7加3等于10";
        QTest::newRow("three terms") << Problem::Of(8, Minus, 3, Plus, 4) << "8-3+4=9" << "8 - 3 + 4="
                                     << "8减3加4等于" << "8−3+4=9" << "8减3加4等于9";
        QTest::newRow("brackets") << Problem::Of(62, Minus, 25, Plus, 15, Brackets::LastTwo) << "62-(25+15)=22"
                                  << "62 - (25 + 15)=" << "62减(25加15)等于" << "62−(25+15)=22"
                                  << "62减(25加15)等于22";
        QTest::newRow("× before −") << Problem::Of(36, Minus, 4, Times, 5) << "36-4*5=16" << "36 - 4 × 5="
                                    << "36减4乘5等于" << "36−4×5=16" << "36减4乘5等于16";
        QTest::newRow("remainder") << remainder << "38/5=7……3" << "38 ÷ 5=" << "38除以5等于" << "38÷5=7……3"
                                   << "38除以5等于7余3";
        const auto fraction = [](int n, int d) { return *Term::Fraction(n, d); };
        // A fraction keeps the denominator it was drawn with.
        QTest::newRow("same denominators") << Problem::Of(fraction(2, 8), Plus, fraction(3, 8)) << "2/8+3/8=5/8"
                                           << "2/8 + 3/8=" << "八分之二加八分之三等于" << "2/8+3/8=5/8"
                                           << "八分之二加八分之三等于八分之五";
        QTest::newRow("fraction ÷ whole") << Problem::Of(fraction(3, 4), Divide, 3) << "3/4÷3=1/4" << "3/4 ÷ 3="
                                          << "四分之三除以3等于" << "3/4÷3=1/4" << "四分之三除以3等于四分之一";
        QTest::newRow("whole ÷ fraction") << Problem::Of(6, Divide, fraction(2, 3)) << "6÷2/3=9" << "6 ÷ 2/3="
                                          << "6除以三分之二等于" << "6÷2/3=9" << "6除以三分之二等于9";
        QTest::newRow("1 − a/n") << Problem::Of(1, Minus, fraction(3, 8)) << "1-3/8=5/8" << "1 - 3/8="
                                 << "1减八分之三等于" << "1−3/8=5/8" << "1减八分之三等于八分之五";
        QTest::newRow("decimals") << Problem::Of(Term::Decimal(1, 1), Plus, Term::Decimal(2, 1)) << "0.1+0.2=0.3"
                                  << "0.1 + 0.2=" << "0.1加0.2等于" << "0.1+0.2=0.3" << "0.1加0.2等于0.3";
        QTest::newRow("point moves") << Problem::Of(Term::Decimal(35, 1), Times, 100) << "3.5*100=350"
                                     << "3.5 × 100=" << "3.5乘100等于" << "3.5×100=350" << "3.5乘100等于350";
        QTest::newRow("÷1000") << Problem::Of(42, Divide, 1000) << "42/1000=0.042" << "42 ÷ 1000="
                               << "42除以1000等于" << "42÷1000=0.042" << "42除以1000等于0.042";
        QTest::newRow("percent") << Problem::Of(Term::Percent(25), Times, 40) << "25%×40=10" << "25% × 40="
                                 << "百分之二十五乘40等于" << "25%×40=10" << "百分之二十五乘40等于10";
    }

    void texts()
    {
        QFETCH(Problem, problem);
        QFETCH(QString, record);
        QCOMPARE(RecordLine(problem, AnswerText(problem.Expected())), record);
        QTEST(PrintedText(problem), "printed");
        QTEST(SpokenProblem(problem), "spoken");
        QTEST(EquationText(problem), "equation");
        QTEST(SpokenEquation(problem), "spokenEquation");
        // Each written form reads back as the same problem.
        for (const QString &written : {PrintedText(problem), ListedText(problem)})
            QCOMPARE(ProblemOfText(written), std::optional<Problem>(problem));
        // So does a record line's problem, which the history and the 错题本 keep.
        if (problem.Blank == Problem::BlankAnswer)
            QCOMPARE(ProblemOfText(record.section(u'=', 0, 0)), std::optional<Problem>(problem));
    }

    // Texts that are no problem the program asks.
    void unreadableTexts_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "8+", "8+3=12", "□+□=10", "12/0", "3.5.1×100", "1/0+1/2", "3/4/5÷2", "50%%×4", "(8+3", "8+(3)", "1+2+3+4",
                                 "999999999*999999999*9", "7÷2×4", "□×0=5"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }

    void unreadableTexts()
    {
        QFETCH(QString, text);
        QCOMPARE(ProblemOfText(text), std::optional<Problem>());
    }
};

QTEST_APPLESS_MAIN(tst_Presets)
#include "tst_presets.moc"
