#include "arithmetic/PercentScore.h"

#include <bit>

namespace {

// GCC and clang have it on every 64-bit target we build for.
__extension__ typedef unsigned __int128 Wide;

int BitWidth(Wide value)
{
    const auto high = static_cast<std::uint64_t>(value >> 64);
    return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

// value with its low `drop` bits rounded away, to nearest and ties to even.
Wide RoundAway(Wide value, int drop)
{
    const Wide kept = value >> drop;
    const Wide rest = value - (kept << drop);
    const Wide half = Wide(1) << (drop - 1);
    const bool up = rest > half || (rest == half && (kept & 1) != 0);
    return up ? kept + 1 : kept;
}

// A positive value significand × 2^exponent, its significand exactly `bits`
// bits long as the floating-point unit holds it.
struct Binary {
    Wide significand;
    int exponent;
};

Binary Normalise(Wide value, int exponent, int bits)
{
    int drop = BitWidth(value) - bits;
    Wide significand = RoundAway(value, drop);
    if (BitWidth(significand) > bits) {
        // Rounded up to the next power of two: the dropped bit is a zero.
        significand >>= 1;
        ++drop;
    }
    return {significand, exponent + drop};
}

Binary Times(Binary factor, unsigned multiplier, int bits)
{
    return Normalise(factor.significand * multiplier, factor.exponent, bits);
}

}  // namespace

qint64 PercentScore(std::int32_t right, std::int32_t total, ScoreFormat format)
{
    if (right == 0)
        return 0;
    const int bits = static_cast<int>(format);
    // Rounding to nearest is symmetric, so a negative count mirrors its magnitude.
    const Wide magnitude = right < 0 ? Wide(-static_cast<std::int64_t>(right)) : Wide(right);

    // Scaled by 2^(bits + 32) the quotient of counts up to 2^31 keeps at least
    // two bits beyond the significand, and stays below 2^127. A nonzero
    // remainder is folded into its lowest bit, below the rounding half, so
    // the truncated quotient rounds as the exact one does.
    const int scale = bits + 32;
    const Wide scaled = magnitude << scale;
    const Wide quotient = scaled / static_cast<Wide>(total);
    const Wide inexact = quotient * static_cast<Wide>(total) != scaled ? 1 : 0;

    Binary q = Normalise(quotient | inexact, -scale, bits);
    q = Times(q, 100, bits);
    q = Times(q, 10000, bits);
    // The score stays below 2^51 and the significand holds at least 53 bits,
    // so the exponent is negative and this drops fraction bits only.
    const auto score = static_cast<qint64>(RoundAway(q.significand, -q.exponent));
    return right < 0 ? -score : score;
}
