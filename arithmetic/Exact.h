#pragma once

#include <cstdint>
#include <optional>

enum class Operator : std::int32_t;

// A number held exactly, as a fraction in lowest terms with a positive
// denominator: no floating point ever decides whether an answer is right.
// Numerator and denominator stay within 32 bits; arithmetic that would
// leave them gives nothing.
class Exact {
public:
    constexpr Exact() = default;
    // A whole number is a number, so terms and answers take ints as they are.
    constexpr Exact(std::int32_t whole) : numerator_(whole) {}  // NOLINT(google-explicit-constructor)

    // n/d reduced; nothing for d = 0 or a value beyond 32 bits.
    static std::optional<Exact> Fraction(std::int64_t n, std::int64_t d);

    std::int32_t Numerator() const { return static_cast<std::int32_t>(numerator_); }
    std::int32_t Denominator() const { return static_cast<std::int32_t>(denominator_); }
    bool IsWhole() const { return denominator_ == 1; }
    // The places a decimal needs to write it: 0 for a whole number, nothing
    // when no finite decimal does (1/3) or more than nine would be needed.
    std::optional<int> DecimalPlaces() const;

    friend bool operator==(const Exact &, const Exact &) = default;
    // Ordered by value; no <=> here, since moc cannot read <compare>.
    friend bool operator<(const Exact &a, const Exact &b);
    friend bool operator>(const Exact &a, const Exact &b) { return b < a; }
    friend bool operator<=(const Exact &a, const Exact &b) { return !(b < a); }
    friend bool operator>=(const Exact &a, const Exact &b) { return !(a < b); }

private:
    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 1;
};

// a ∘ b exactly: nothing for a division by 0 or a result beyond 32 bits.
std::optional<Exact> ApplyExact(const Exact &a, Operator op, const Exact &b);
