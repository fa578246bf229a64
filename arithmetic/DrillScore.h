#pragma once

#include <QtGlobal>
#include <cstdint>

// The percentage of right answers in ten-thousandths of a point (1000000 is
// 100 points), for a total of at least one answer; 0 when there is none.
qint64 DrillScore(std::int32_t right, std::int32_t total);
