#include "arithmetic/Exact.h"

#include "arithmetic/ProblemGenerator.h"

#include <algorithm>
#include <numeric>

namespace {

bool Fits(std::int64_t value)
{
    return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

std::optional<Exact> Exact::Fraction(std::int64_t n, std::int64_t d)
{
    // Away from INT64_MIN, negating and the gcd cannot overflow.
    if (d == 0 || n == INT64_MIN || d == INT64_MIN)
        return std::nullopt;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const std::int64_t g = std::gcd(n, d);
    Exact value;
    value.numerator_ = n / g;
    value.denominator_ = d / g;
    if (!Fits(value.numerator_) || !Fits(value.denominator_))
        return std::nullopt;
    return value;
}

std::optional<int> Exact::DecimalPlaces() const
{
    std::int64_t d = denominator_;
    int twos = 0;
    int fives = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++twos;
    }
    while (d % 5 == 0) {
        d /= 5;
        ++fives;
    }
    const int places = std::max(twos, fives);
    if (d != 1 || places > 9)
        return std::nullopt;
    return places;
}

bool operator<(const Exact &a, const Exact &b)
{
    // Products of 32-bit values fit in 64.
    return a.numerator_ * b.denominator_ < b.numerator_ * a.denominator_;
}

std::optional<Exact> ApplyExact(const Exact &a, Operator op, const Exact &b)
{
    const std::int64_t an = a.Numerator();
    const std::int64_t ad = a.Denominator();
    const std::int64_t bn = b.Numerator();
    const std::int64_t bd = b.Denominator();
    // Each product of two 32-bit values fits in 64 bits; only their sum can
    // leave it, and then the value is far beyond 32 bits anyway.
    std::int64_t sum = 0;
    switch (op) {
    case Operator::Addition:
        if (__builtin_add_overflow(an * bd, bn * ad, &sum))
            return std::nullopt;
        return Exact::Fraction(sum, ad * bd);
    case Operator::Subtraction:
        if (__builtin_sub_overflow(an * bd, bn * ad, &sum))
            return std::nullopt;
        return Exact::Fraction(sum, ad * bd);
    case Operator::Multiplication: {
        // Reduced crosswise first, so that a result within 32 bits is found
        // even when the plain products are not.
        const std::int64_t g1 = std::gcd(an, bd);
        const std::int64_t g2 = std::gcd(bn, ad);
        const std::int64_t n1 = g1 ? an / g1 : an;
        const std::int64_t d2 = g1 ? bd / g1 : bd;
        const std::int64_t n2 = g2 ? bn / g2 : bn;
        const std::int64_t d1 = g2 ? ad / g2 : ad;
        return Exact::Fraction(n1 * n2, d1 * d2);
    }
    case Operator::Division:
        if (const std::optional<Exact> reciprocal = bn == 0 ? std::nullopt : Exact::Fraction(bd, bn))
            return ApplyExact(a, Operator::Multiplication, *reciprocal);
        return std::nullopt;
    }
    return std::nullopt;
}
