#include "arithmetic/DrillScore.h"

#include "arithmetic/PercentScore.h"

qint64 DrillScore(std::int32_t right, std::int32_t total)
{
    if (total <= 0)
        return 0;
    // Worked at a 64-bit significand: some exact halves (47 of 640) land just
    // below or above the half only there, and the child sees the difference
    // in the fourth decimal.
    return PercentScore(right, total, ScoreFormat::Extended);
}
