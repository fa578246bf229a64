#pragma once

#include "arithmetic/Exact.h"

#include <cstdint>

// How a term is written: "3" or "0.25", "3/8", "25%".
enum class NumberForm : std::uint8_t { Plain, Fraction, Percent };

// One number of a problem: its value, and how the problem writes it. A
// fraction keeps the denominator it was drawn with, since "2/8 + 3/8" is not
// "1/4 + 3/8" to a child who has not learnt 约分.
struct Term {
    Exact Value;
    NumberForm Form = NumberForm::Plain;
    std::int32_t WrittenDenominator = 1;  // of a fraction; 1 otherwise

    constexpr Term() = default;
    // A whole number is a term as it is.
    constexpr Term(std::int32_t whole) : Value(whole) {}  // NOLINT(google-explicit-constructor)

    // "n/d" as written, kept unreduced: nothing for d ≤ 0.
    static std::optional<Term> Fraction(std::int32_t n, std::int32_t d);
    // scaled / 10^places: Decimal(35, 1) is 3.5.
    static Term Decimal(std::int32_t scaled, int places);
    // "25%".
    static Term Percent(std::int32_t percent);

    // The written numerator of a fraction ("2" of "2/8"); the value's otherwise.
    std::int32_t WrittenNumerator() const;
    // The term as a whole number, when it is one written plainly.
    std::optional<std::int32_t> Whole() const;

    bool operator==(const Term &) const = default;
};
