// The rules of presets 29–36: decimals, fractions and percents. Like every
// rule, each draws only through source.Below, and a rejected draw starts the
// problem over from its first draw.
#include "arithmetic/DrawSteps.h"
#include "arithmetic/PresetDraws.h"

#include <array>
#include <numeric>

namespace PresetDraws {
namespace {

using DrawSteps::In;
using DrawSteps::PlusOrMinus;

using namespace DrawSteps::Signs;

constexpr std::array<int, 4> kPowersOfTen{1, 10, 100, 1000};

// The largest denominator a fraction unit's answer has, so that it stays
// 口算: 5/6 + 4/5 = 49/30.
constexpr int kLargestAnswerDenominator = 30;

// n/d as written; the rules only ask for d ≥ 2.
Term Fraction(int n, int d)
{
    return *Term::Fraction(n, d);
}

// A proper fraction in lowest terms with a denominator in 2..largest: the
// denominator, then a numerator drawn again until it has no factor in common
// with it.
Term ProperFraction(RandomSource &s, int largest)
{
    const int d = In(s, 2, largest);
    for (;;) {
        const int n = In(s, 1, d - 1);
        if (std::gcd(n, d) == 1)
            return Fraction(n, d);
    }
}

// A number with places decimal places (0 to 2) and up to three digits in
// all: digits in 1..999 (1..99 for a whole number), as it is written, so a
// decimal's last digit is not 0. Nothing when it is.
std::optional<std::pair<int, int>> Digits(RandomSource &s, int places)
{
    const int digits = In(s, 1, places == 0 ? 99 : 999);
    if (places > 0 && digits % 10 == 0)
        return std::nullopt;
    return std::pair{digits, places};
}

}  // namespace

// Preset 29: n in 2..10, then Below(3) picks a/n + b/n (a in 1..n − 1, b in
// 1..n − a), a/n − b/n (a in 2..n − 1, b in 1..a − 1; drawn again for n = 2)
// or 1 − a/n (a in 1..n − 1): proper fractions with a numerator of 1 or
// more, written with the denominator n even when they would reduce (2/8, as
// 三上 writes them), the answer within 0..1.
Problem SameDenominators(int, RandomSource &s)
{
    for (;;) {
        const int n = In(s, 2, 10);
        switch (s.Below(3)) {
        case 0: {
            const int a = In(s, 1, n - 1);
            return Problem::Of(Fraction(a, n), Plus, Fraction(In(s, 1, n - a), n));
        }
        case 1: {
            if (n == 2)
                continue;
            const int a = In(s, 2, n - 1);
            return Problem::Of(Fraction(a, n), Minus, Fraction(In(s, 1, a - 1), n));
        }
        default:
            return Problem::Of(1, Minus, Fraction(In(s, 1, n - 1), n));
        }
    }
}

// Preset 30: + or −, then a and b in tenths, 0.1..9.9, each with a tenths
// digit (a one-place decimal is written with one); drawn again until a sum
// stays below 10 (三下 adds within ten), a difference is more than 0 and,
// for 不进退位, the tenths neither carry nor borrow (可进退位: either way).
Problem OnePlaceDecimals(int choice, RandomSource &s)
{
    for (;;) {
        const Operator op = PlusOrMinus(s);
        const int a = In(s, 1, 99);
        const int b = In(s, 1, 99);
        if (a % 10 == 0 || b % 10 == 0)
            continue;
        const bool fits = op == Plus ? a + b < 100 : b < a;
        const bool regroups = op == Plus ? a % 10 + b % 10 >= 10 : a % 10 < b % 10;
        if (fits && (choice == 1 || !regroups))
            return Problem::Of(Term::Decimal(a, 1), op, Term::Decimal(b, 1));
    }
}

// Preset 31: × or ÷, then 10, 100 or 1000, then x's places and digits (see
// Digits). × takes a decimal x of one or two places, since a whole number
// times ten only gains zeros; ÷ takes x with up to two places or a whole
// number, drawn again when a whole number's quotient would be whole (that
// is a whole-number division, no moving point).
Problem MovingThePoint(int, RandomSource &s)
{
    for (;;) {
        const Operator op = s.Below(2) == 0 ? Times : Divide;
        const int power = kPowersOfTen.at(1 + s.Below(3));
        const std::optional<std::pair<int, int>> x = Digits(s, op == Times ? In(s, 1, 2) : In(s, 0, 2));
        if (!x || (x->second == 0 && x->first % power == 0))
            continue;
        return Problem::Of(Term::Decimal(x->first, x->second), op, power);
    }
}

// Preset 32: + or −, then each number's places (0 to 2) and digits (see
// Digits: 12.5, 0.75, 4); drawn again unless one of them has two places, a
// sum is below 100 and a difference more than 0.
Problem TwoPlaceDecimals(int, RandomSource &s)
{
    for (;;) {
        const Operator op = PlusOrMinus(s);
        const std::optional<std::pair<int, int>> a = Digits(s, In(s, 0, 2));
        const std::optional<std::pair<int, int>> b = a ? Digits(s, In(s, 0, 2)) : std::nullopt;
        if (!b || (a->second != 2 && b->second != 2))
            continue;
        // In hundredths.
        const int x = a->first * kPowersOfTen.at(static_cast<std::size_t>(2 - a->second));
        const int y = b->first * kPowersOfTen.at(static_cast<std::size_t>(2 - b->second));
        if (op == Plus ? x + y < 10000 : y < x)
            return Problem::Of(Term::Decimal(a->first, a->second), op, Term::Decimal(b->first, b->second));
    }
}

// Preset 33: × or ÷, d in 2..9, then a decimal of one or two places with
// digits 1..99 (0.4, 4.8, 0.25): a decimal, so the problem is one of
// decimals. A quotient is drawn again until it ends within three places.
Problem DecimalByOneDigit(int, RandomSource &s)
{
    for (;;) {
        const Operator op = s.Below(2) == 0 ? Times : Divide;
        const int d = In(s, 2, 9);
        const int places = In(s, 1, 2);
        const int digits = In(s, 1, 99);
        if (digits % 10 == 0)
            continue;
        // digits / 10^places ÷ d has three places at most when d divides
        // digits · 10^(3 − places).
        if (op == Divide && digits * kPowersOfTen.at(static_cast<std::size_t>(3 - places)) % d != 0)
            continue;
        return Problem::Of(Term::Decimal(digits, places), op, d);
    }
}

// Preset 34: + or −, then a/m and b/n, proper and in lowest terms (as 五下
// writes them), m and n in 2..12; drawn again until the denominators differ,
// their common denominator is one found in the head (kLargestAnswerDenominator
// at most: 1/3 + 7/11 is work for paper) and a difference is more than 0. A
// sum may pass 1 ("17/12", "1 5/12").
Problem UnlikeDenominators(int, RandomSource &s)
{
    for (;;) {
        const Operator op = PlusOrMinus(s);
        const Term a = ProperFraction(s, 12);
        const Term b = ProperFraction(s, 12);
        const int m = a.Value.Denominator();
        const int n = b.Value.Denominator();
        if (m != n && std::lcm(m, n) <= kLargestAnswerDenominator && (op == Plus || b.Value < a.Value))
            return Problem::Of(a, op, b);
    }
}

// Preset 35: Below(4) picks fraction × whole number, fraction × fraction,
// fraction ÷ whole number or whole number ÷ fraction. Fractions are proper
// and in lowest terms with denominators 2..12; a whole number is 2..10 (1..10
// as a dividend, 1 ÷ 3/4 too). Drawn again until the answer's denominator is
// kLargestAnswerDenominator at most (11/12 × 7/8 = 77/96 is work for paper).
Problem FractionTimesAndDivide(int, RandomSource &s)
{
    for (;;) {
        Problem p;
        switch (s.Below(4)) {
        case 0: {
            const Term a = ProperFraction(s, 12);
            p = Problem::Of(a, Times, In(s, 2, 10));
            break;
        }
        case 1: {
            const Term a = ProperFraction(s, 12);
            p = Problem::Of(a, Times, ProperFraction(s, 12));
            break;
        }
        case 2: {
            const Term a = ProperFraction(s, 12);
            p = Problem::Of(a, Divide, In(s, 2, 10));
            break;
        }
        default: {
            const int k = In(s, 1, 10);
            p = Problem::Of(k, Divide, ProperFraction(s, 12));
            break;
        }
        }
        if (p.Result.Number.Denominator() <= kLargestAnswerDenominator)
            return p;
    }
}

// Preset 36: p% from the list, then x: a whole number 1..100 or a whole
// hundred 200..1000 (Below(2) first), sizes a child works out in the head;
// drawn again until p% × x is whole or has one place.
Problem PercentOf(int, RandomSource &s)
{
    static constexpr std::array<int, 10> kPercents{1, 5, 10, 20, 25, 50, 75, 100, 150, 200};
    for (;;) {
        const int p = kPercents.at(s.Below(10));
        const int x = s.Below(2) == 0 ? In(s, 1, 100) : 100 * In(s, 2, 10);
        // p·x / 100 in tenths is p·x / 10.
        if (p * x % 10 == 0)
            return Problem::Of(Term::Percent(p), Times, x);
    }
}

}  // namespace PresetDraws
