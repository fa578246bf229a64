#pragma once

#include "arithmetic/ProblemGenerator.h"

// The draws every preset's rule is made of, each one RandomSource::Below,
// and the shorthand the rules (and the facts read from them) are written in.
namespace DrawSteps {

namespace Signs {
inline constexpr Operator Plus = Operator::Addition;
inline constexpr Operator Minus = Operator::Subtraction;
inline constexpr Operator Times = Operator::Multiplication;
inline constexpr Operator Divide = Operator::Division;
}  // namespace Signs

inline int Ones(int x)
{
    return x % 10;
}

// lo to hi inclusive.
inline int In(RandomSource &s, int lo, int hi)
{
    return lo + static_cast<int>(s.Below(static_cast<std::uint32_t>(hi - lo + 1)));
}

inline bool OneIn(RandomSource &s, int n)
{
    return s.Below(static_cast<std::uint32_t>(n)) == 0;
}

inline Operator PlusOrMinus(RandomSource &s)
{
    return s.Below(2) == 0 ? Operator::Addition : Operator::Subtraction;
}

}  // namespace DrawSteps
