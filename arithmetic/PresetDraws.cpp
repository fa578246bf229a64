#include "arithmetic/PresetDraws.h"

#include "arithmetic/DrawSteps.h"
#include "arithmetic/ProblemGenerator.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace PresetDraws {
namespace {

using namespace DrawSteps::Signs;

using DrawSteps::In;
using DrawSteps::OneIn;
using DrawSteps::PlusOrMinus;

using DrawSteps::Ones;

int Tens(int x)
{
    return x / 10 % 10;
}

bool Within(std::optional<std::int32_t> x, int lo, int hi)
{
    return x && *x >= lo && *x <= hi;
}

// a + b ≤ limit or a − b with b ≤ a ≤ limit. One problem in ten has a 0:
// a + 0, 0 + a or a − 0 with a in 0..limit; the rest have operands of 1 or
// more (a first, then b).
Problem AddSubtractWithin(int limit, RandomSource &s)
{
    if (OneIn(s, 10)) {
        if (s.Below(2) == 0) {
            const int a = In(s, 0, limit);
            return s.Below(2) == 0 ? Problem::Of(a, Plus, 0) : Problem::Of(0, Plus, a);
        }
        return Problem::Of(In(s, 0, limit), Minus, 0);
    }
    if (s.Below(2) == 0) {
        const int a = In(s, 1, limit - 1);
        return Problem::Of(a, Plus, In(s, 1, limit - a));
    }
    const int a = In(s, 1, limit);
    return Problem::Of(a, Minus, In(s, 1, a));
}

// A pair (x, y), x from the choice's set of first numbers, y in 11 − x..9,
// so that x + y carries: one Below over all the pairs of the set, so each
// pair is as likely as any other. Sets: 9 / 8、7、6 / 5、4、3、2 / all.
std::pair<int, int> CarryPair(int choice, RandomSource &s)
{
    static constexpr std::array<std::array<int, 8>, 4> kSets{{{9}, {8, 7, 6}, {5, 4, 3, 2}, {9, 8, 7, 6, 5, 4, 3, 2}}};
    const auto &set = kSets.at(static_cast<std::size_t>(choice));
    int pairs = 0;
    for (const int x : set)
        pairs += x > 0 ? x - 1 : 0;
    int k = static_cast<int>(s.Below(static_cast<std::uint32_t>(pairs)));
    for (const int x : set) {
        if (k < x - 1)
            return {x, 11 - x + k};
        k -= x - 1;
    }
    return {9, 9};
}

// A blank in one of the two operands, half the time: Below(2) says whether,
// Below(2) which.
Problem MaybeBlank(const Problem &p, RandomSource &s)
{
    if (s.Below(2) != 0)
        return p;
    return p.WithBlank(static_cast<int>(s.Below(2)));
}

}  // namespace

// Preset 1: a + b ≤ 5, a − b ≤ 5, 0 rare.
Problem AddSubtractWithin5(int, RandomSource &s)
{
    return AddSubtractWithin(5, s);
}

// Preset 2: the same within 10.
Problem AddSubtractWithin10(int, RandomSource &s)
{
    return AddSubtractWithin(10, s);
}

// Preset 3: a in 1..9, then □ + a = 10 or a + □ = 10.
Problem MakeTen(int, RandomSource &s)
{
    const int a = In(s, 1, 9);
    if (s.Below(2) == 0)
        return Problem::Of(10 - a, Plus, a).WithBlank(0);
    return Problem::Of(a, Plus, 10 - a).WithBlank(1);
}

// Preset 4: a, sign, b, sign, c, operands 1..9, drawn again until every
// partial result and the answer are within 0..10.
// One try at a, sign, b, sign, c with operands 1..largest: the problem when
// every partial result and the answer are within 0..limit.
std::optional<Problem> TryChain(RandomSource &s, int largest, int limit)
{
    const int a = In(s, 1, largest);
    const Operator first = PlusOrMinus(s);
    const int b = In(s, 1, largest);
    const Operator second = PlusOrMinus(s);
    const int c = In(s, 1, largest);
    const std::optional<std::int32_t> partial = Apply(a, first, b);
    if (Within(partial, 0, limit) && Within(Apply(*partial, second, c), 0, limit))
        return Problem::Of(a, first, b, second, c);
    return std::nullopt;
}

Problem ChainWithin10(int, RandomSource &s)
{
    for (;;) {
        if (const std::optional<Problem> problem = TryChain(s, 9, 10))
            return *problem;
    }
}

// Preset 5: a in 1..9, then one of 10 + a, a + 10, (10 + a) − a, (10 + a) − 10.
Problem TenAndOnes(int, RandomSource &s)
{
    const int a = In(s, 1, 9);
    switch (s.Below(4)) {
    case 0:
        return Problem::Of(10, Plus, a);
    case 1:
        return Problem::Of(a, Plus, 10);
    case 2:
        return Problem::Of(10 + a, Minus, a);
    default:
        return Problem::Of(10 + a, Minus, 10);
    }
}

// Preset 6: a carrying pair, the first addend from the choice.
Problem CarryAddition(int choice, RandomSource &s)
{
    const auto [x, y] = CarryPair(choice, s);
    return Problem::Of(x, Plus, y);
}

// Preset 7: a carrying pair (b, c) read back as (b + c) − b, the subtrahend
// b from the choice: 十几减9 … .
Problem BorrowSubtraction(int choice, RandomSource &s)
{
    const auto [b, c] = CarryPair(choice, s);
    return Problem::Of(b + c, Minus, b);
}

// Preset 8: Below(4) picks a carrying sum (preset 6), a borrowing difference
// (preset 7), a sum within 20 without carry (a, b in 1..19 drawn again until
// a + b ≤ 20 and the ones do not carry) or a difference within 20 without
// borrow (a in 1..20, b in 1..a, drawn again until ones(a) ≥ ones(b)); then
// half of them get a blank operand.
Problem MixedWithin20(int, RandomSource &s)
{
    Problem p;
    switch (s.Below(4)) {
    case 0:
        p = CarryAddition(3, s);
        break;
    case 1:
        p = BorrowSubtraction(3, s);
        break;
    case 2:
        for (;;) {
            const int a = In(s, 1, 19);
            const int b = In(s, 1, 19);
            if (a + b <= 20 && Ones(a) + Ones(b) < 10) {
                p = Problem::Of(a, Plus, b);
                break;
            }
        }
        break;
    default:
        for (;;) {
            const int a = In(s, 1, 20);
            const int b = In(s, 1, a);
            if (Ones(a) >= Ones(b)) {
                p = Problem::Of(a, Minus, b);
                break;
            }
        }
        break;
    }
    return MaybeBlank(p, s);
}

// Preset 9: t, u in 1..9, then 10t + u, (10t + u) − u or (10t + u) − 10t.
Problem TensAndOnes(int, RandomSource &s)
{
    const int t = In(s, 1, 9);
    const int u = In(s, 1, 9);
    switch (s.Below(3)) {
    case 0:
        return Problem::Of(10 * t, Plus, u);
    case 1:
        return Problem::Of(10 * t + u, Minus, u);
    default:
        return Problem::Of(10 * t + u, Minus, 10 * t);
    }
}

// Preset 10: + or −, then x in 1..9 and y in 1..10 − x (sum) or 1..x
// (difference), both times ten.
Problem TensWithTens(int, RandomSource &s)
{
    const Operator op = PlusOrMinus(s);
    const int x = In(s, 1, 9);
    const int y = op == Plus ? In(s, 1, 10 - x) : In(s, 1, x);
    return Problem::Of(10 * x, op, 10 * y);
}

// Preset 11: a in 10..99, then b in 1..9 or ten times 1..9 (Below(2) first),
// drawn again until the sum is at most 100 and carries as the choice asks
// (不进位 / 进位 / 混合).
Problem TwoDigitPlusOne(int choice, RandomSource &s)
{
    for (;;) {
        const int a = In(s, 10, 99);
        const int b = s.Below(2) == 0 ? In(s, 1, 9) : 10 * In(s, 1, 9);
        const bool carries = Ones(a) + Ones(b) >= 10;
        if (a + b <= 100 && (choice == 2 || carries == (choice == 1)))
            return Problem::Of(a, Plus, b);
    }
}

// Preset 12: the same for a − b, b below a, borrowing as the choice asks
// (不退位 / 退位 / 混合).
Problem TwoDigitMinusOne(int choice, RandomSource &s)
{
    for (;;) {
        const int a = In(s, 10, 99);
        const int b = s.Below(2) == 0 ? In(s, 1, 9) : 10 * In(s, 1, 9);
        const bool borrows = Ones(a) < Ones(b);
        if (b < a && (choice == 2 || borrows == (choice == 1)))
            return Problem::Of(a, Minus, b);
    }
}

// Preset 13: + or −, a and b in 10..99, drawn again until the sum is at most
// 100 or the difference not negative, and it carries or borrows as the
// choice asks.
Problem TwoDigitWithTwoDigit(int choice, RandomSource &s)
{
    for (;;) {
        const Operator op = PlusOrMinus(s);
        const int a = In(s, 10, 99);
        const int b = In(s, 10, 99);
        const bool fits = op == Plus ? a + b <= 100 : a >= b;
        const bool regroups = op == Plus ? Ones(a) + Ones(b) >= 10 : Ones(a) < Ones(b);
        if (fits && (choice == 2 || regroups == (choice == 1)))
            return Problem::Of(a, op, b);
    }
}

// Preset 14: without brackets, a, sign, b, sign, c with operands 1..99; with
// them, Below(3) picks a − (b + c), a − (b − c) or a + (b − c), then a, b, c.
// Drawn again until every partial result and the answer are within 0..100.
Problem ChainWithin100(int choice, RandomSource &s)
{
    for (;;) {
        if (choice == 0) {
            if (const std::optional<Problem> problem = TryChain(s, 99, 100))
                return *problem;
            continue;
        }
        static constexpr std::array<std::pair<Operator, Operator>, 3> kForms{
            {{Minus, Plus}, {Minus, Minus}, {Plus, Minus}}};
        const auto [outer, inner] = kForms.at(s.Below(3));
        const int a = In(s, 1, 99);
        const int b = In(s, 1, 99);
        const int c = In(s, 1, 99);
        const std::optional<std::int32_t> bracket = Apply(b, inner, c);
        if (Within(bracket, 0, 100) && Within(Apply(a, outer, *bracket), 0, 100))
            return Problem::Of(a, outer, b, inner, c, Brackets::LastTwo);
    }
}

// Preset 15: one problem in ten has a factor 1 (which side, then the other
// factor in 1..6); the rest have a, b in 2..6.
Problem TablesTo6(int, RandomSource &s)
{
    if (OneIn(s, 10)) {
        const bool oneFirst = s.Below(2) == 0;
        const int other = In(s, 1, 6);
        return oneFirst ? Problem::Of(1, Times, other) : Problem::Of(other, Times, 1);
    }
    const int a = In(s, 2, 6);
    return Problem::Of(a, Times, In(s, 2, 6));
}

// Preset 16: one problem in ten has a factor 1, the other from 7..9 (1..9
// for 全部口诀); the rest a, b in 2..9, drawn again until one is 7 or more
// (any for 全部口诀).
Problem TablesTo9(int choice, RandomSource &s)
{
    if (OneIn(s, 10)) {
        const bool oneFirst = s.Below(2) == 0;
        const int other = In(s, choice == 0 ? 7 : 1, 9);
        return oneFirst ? Problem::Of(1, Times, other) : Problem::Of(other, Times, 1);
    }
    for (;;) {
        const int a = In(s, 2, 9);
        const int b = In(s, 2, 9);
        if (choice == 1 || a >= 7 || b >= 7)
            return Problem::Of(a, Times, b);
    }
}

// One try at a × b ± c: a, b in 2..9, + or −, c in 1..largestC; the problem
// when its answer is within 0..100.
std::optional<Problem> TryTimesPlusOrMinus(RandomSource &s, int largestC)
{
    const int a = In(s, 2, 9);
    const int b = In(s, 2, 9);
    const Operator op = PlusOrMinus(s);
    const int c = In(s, 1, largestC);
    if (Within(Apply(a * b, op, c), 0, 100))
        return Problem::Of(a, Times, b, op, c);
    return std::nullopt;
}

// Preset 17: a × b ± c with c in 1..20, drawn again until the answer is
// within 0..100.
Problem MultiplyThenAdd(int, RandomSource &s)
{
    for (;;) {
        if (const std::optional<Problem> problem = TryTimesPlusOrMinus(s, 20))
            return *problem;
    }
}

// Preset 18: divisor d in 2..9 and quotient q in 1..9, drawn again until
// they use the choice's tables (1～6 / 7～9 / all); the dividend is d·q.
Problem TableDivision(int choice, RandomSource &s)
{
    for (;;) {
        const int d = In(s, 2, 9);
        const int q = In(s, 1, 9);
        const bool small = d <= 6 && q <= 6;
        if (choice == 2 || small == (choice == 0))
            return Problem::Of(d * q, Divide, d);
    }
}

// Preset 19: Below(4) picks □ × b, a × □, □ ÷ d or c ÷ □; factors and
// divisors 2..9, quotients 1..9.
Problem TableBlanks(int, RandomSource &s)
{
    const std::uint32_t form = s.Below(4);
    if (form < 2) {
        const int a = In(s, 2, 9);
        return Problem::Of(a, Times, In(s, 2, 9)).WithBlank(static_cast<int>(form));
    }
    const int d = In(s, 2, 9);
    const int q = In(s, 1, 9);
    return Problem::Of(d * q, Divide, d).WithBlank(static_cast<int>(form - 2));
}

// Preset 20: d in 2..9, q in 1..9, r in 1..d − 1; (d·q + r) ÷ d = q……r.
Problem DivisionWithRemainder(int, RandomSource &s)
{
    const int d = In(s, 2, 9);
    const int q = In(s, 1, 9);
    const int r = In(s, 1, d - 1);
    Problem p = Problem::Of(d * q + r, Divide, d);
    p.Result = AnswerValue::WithRemainder(q, r);
    return p;
}

// Preset 21: Below(7) picks the form; table factors and divisors are 2..9,
// quotients 1..9, other numbers up to 100; each form is drawn again until
// every partial result is a whole number within 0..100.
Problem TwoSteps(int, RandomSource &s)
{
    const std::uint32_t form = s.Below(7);
    for (;;) {
        switch (form) {
        case 0: {  // a × b ÷ c
            const int a = In(s, 2, 9);
            const int b = In(s, 2, 9);
            const int c = In(s, 2, 9);
            if ((a * b) % c == 0 && a * b / c <= 9)
                return Problem::Of(a, Times, b, Divide, c);
            break;
        }
        case 1: {  // a ÷ b × c
            const int b = In(s, 2, 9);
            const int q = In(s, 1, 9);
            return Problem::Of(b * q, Divide, b, Times, In(s, 2, 9));
        }
        case 2: {  // a ± b × c
            const Operator op = PlusOrMinus(s);
            const int b = In(s, 2, 9);
            const int c = In(s, 2, 9);
            const int a = In(s, 1, 100);
            if (Within(Apply(a, op, b * c), 0, 100))
                return Problem::Of(a, op, b, Times, c);
            break;
        }
        case 3: {  // a ± b ÷ c
            const Operator op = PlusOrMinus(s);
            const int c = In(s, 2, 9);
            const int q = In(s, 1, 9);
            const int a = In(s, 1, 100);
            if (Within(Apply(a, op, q), 0, 100))
                return Problem::Of(a, op, c * q, Divide, c);
            break;
        }
        case 4:  // a × b ± c
            if (const std::optional<Problem> problem = TryTimesPlusOrMinus(s, 100))
                return *problem;
            break;
        case 5: {  // (a ± b) × c
            const Operator op = PlusOrMinus(s);
            const int a = In(s, 1, 20);
            const int b = In(s, 1, 9);
            if (Within(Apply(a, op, b), 2, 9))
                return Problem::Of(a, op, b, Times, In(s, 2, 9), Brackets::FirstTwo);
            break;
        }
        default: {  // (a ± b) ÷ c, the bracket a table's dividend c·q
            const Operator op = PlusOrMinus(s);
            const int c = In(s, 2, 9);
            const int q = In(s, 1, 9);
            const int sum = c * q;
            if (op == Plus) {
                const int a = In(s, 1, sum - 1);
                return Problem::Of(a, Plus, sum - a, Divide, c, Brackets::FirstTwo);
            }
            const int b = In(s, 1, 100 - sum);
            return Problem::Of(sum + b, Minus, b, Divide, c, Brackets::FirstTwo);
        }
        }
    }
}

// Preset 22: hundreds or thousands (Below(2)), + or −, then x in 1..9 and y
// in 1..10 − x (sum) or 1..x (difference), both times the unit.
Problem HundredsAndThousands(int, RandomSource &s)
{
    const int unit = s.Below(2) == 0 ? 100 : 1000;
    const Operator op = PlusOrMinus(s);
    const int x = In(s, 1, 9);
    const int y = op == Plus ? In(s, 1, 10 - x) : In(s, 1, x);
    return Problem::Of(unit * x, op, unit * y);
}

// Preset 23: + or −, a and b in 10..99; a difference takes the larger first.
Problem TwoDigitMental(int, RandomSource &s)
{
    const Operator op = PlusOrMinus(s);
    int a = In(s, 10, 99);
    int b = In(s, 10, 99);
    if (op == Minus && a < b)
        std::swap(a, b);
    return Problem::Of(a, op, b);
}

// Preset 24: Below(3) picks 10t × d, 100h × d or a two-digit a (ones not 0)
// × d, d in 2..9; the last is drawn again until no digit carries (可进位:
// until the product is at most 200).
Problem TimesOneDigit(int choice, RandomSource &s)
{
    switch (s.Below(3)) {
    case 0: {
        const int t = In(s, 1, 9);
        return Problem::Of(10 * t, Times, In(s, 2, 9));
    }
    case 1: {
        const int h = In(s, 1, 9);
        return Problem::Of(100 * h, Times, In(s, 2, 9));
    }
    default:
        for (;;) {
            const int a = In(s, 11, 99);
            const int d = In(s, 2, 9);
            const bool fits = choice == 0 ? Ones(a) * d < 10 && Tens(a) * d < 10 : a * d <= 200;
            if (Ones(a) != 0 && fits)
                return Problem::Of(a, Times, d);
        }
    }
}

// Preset 25: d in 2..9, then Below(2): d·q (q in 1..9) times 10, 100 or
// 1000 ÷ d; or a two-digit dividend whose tens digit is d times 1..9/d and
// whose ones digit is d times 0..9/d.
Problem DivideByOneDigit(int, RandomSource &s)
{
    const int d = In(s, 2, 9);
    if (s.Below(2) == 0) {
        const int q = In(s, 1, 9);
        static constexpr std::array<int, 3> kUnits{10, 100, 1000};
        return Problem::Of(d * q * kUnits.at(s.Below(3)), Divide, d);
    }
    const int tens = d * In(s, 1, 9 / d);
    const int ones = d * In(s, 0, 9 / d);
    return Problem::Of(10 * tens + ones, Divide, d);
}

// Preset 26: Below(2) picks 10a × 10b (a, b in 1..9) or a two-digit m (ones
// not 0) × 10b, b in 2..9, drawn again until no digit of m × b carries.
Problem TimesTens(int, RandomSource &s)
{
    if (s.Below(2) == 0) {
        const int a = In(s, 1, 9);
        return Problem::Of(10 * a, Times, 10 * In(s, 1, 9));
    }
    for (;;) {
        const int m = In(s, 11, 99);
        const int b = In(s, 2, 9);
        if (Ones(m) != 0 && Ones(m) * b < 10 && Tens(m) * b < 10)
            return Problem::Of(m, Times, 10 * b);
    }
}

// Preset 27: Below(3) picks 几百几十 × 整十数 (10m × 10b, m in 11..99 with
// ones not 0, drawn again otherwise; b in 1..9), 几百几十 ÷ 整十数 (divisor
// b and quotient q in 2..9, drawn again until b·q is such an m) or 整十数 ÷
// 整十数 (divisor y in 1..9, quotient 1..9/y).
Problem ThreeDigitWithTens(int, RandomSource &s)
{
    switch (s.Below(3)) {
    case 0:
        for (;;) {
            const int m = In(s, 11, 99);
            const int b = In(s, 1, 9);
            if (Ones(m) != 0)
                return Problem::Of(10 * m, Times, 10 * b);
        }
    case 1:
        for (;;) {
            const int b = In(s, 2, 9);
            const int q = In(s, 2, 9);
            if (b * q >= 11 && Ones(b * q) != 0)
                return Problem::Of(10 * b * q, Divide, 10 * b);
        }
    default: {
        const int y = In(s, 1, 9);
        const int q = In(s, 1, 9 / y);
        return Problem::Of(10 * y * q, Divide, 10 * y);
    }
    }
}

// Preset 28: Below(8) picks 25 × 4k, 125 × 8k (k in 1..9), a + 99, a + 101
// (a in 100..899), a − 99, a − 101 (a in 200..999), 25 × (4 × c) (c in
// 2..9) or a × 101 (a in 10..99).
Problem Shortcuts(int, RandomSource &s)
{
    switch (s.Below(8)) {
    case 0:
        return Problem::Of(25, Times, 4 * In(s, 1, 9));
    case 1:
        return Problem::Of(125, Times, 8 * In(s, 1, 9));
    case 2:
        return Problem::Of(In(s, 100, 899), Plus, 99);
    case 3:
        return Problem::Of(In(s, 100, 899), Plus, 101);
    case 4:
        return Problem::Of(In(s, 200, 999), Minus, 99);
    case 5:
        return Problem::Of(In(s, 200, 999), Minus, 101);
    case 6:
        return Problem::Of(25, Times, 4, Times, In(s, 2, 9), Brackets::LastTwo);
    default:
        return Problem::Of(In(s, 10, 99), Times, 101);
    }
}

bool HasZero(const Problem &problem)
{
    const auto terms = std::span(problem.Terms).first(static_cast<std::size_t>(problem.TermCount));
    return std::ranges::find(terms, Term(0)) != terms.end();
}

// Of a × b, the problems of presets 15 and 16.
bool HasFactorOne(const Problem &problem)
{
    return problem.Signs[0] == Times && (problem.Terms[0] == 1 || problem.Terms[1] == 1);
}

}  // namespace PresetDraws
