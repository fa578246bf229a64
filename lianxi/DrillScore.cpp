#include "lianxi/DrillScore.h"

#include <cmath>
#include <limits>

// The score must come out of 64-bit-significand arithmetic, rounded at every
// step: some exact halves (47 of 640) land just below or above the half only
// in that format, and the child sees the difference in the fourth decimal.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the score needs long double with a 64-bit significand");

qint64 DrillScore(std::int32_t right, std::int32_t total)
{
    if (total <= 0)
        return 0;
    long double q = static_cast<long double>(right) / static_cast<long double>(total);
    q = q * 100.0L;
    q = q * 10000.0L;
    // The default rounding mode: to nearest, a half to the even neighbour.
    return static_cast<qint64>(std::llrint(q));
}
