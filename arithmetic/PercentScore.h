#pragma once

#include <QtGlobal>
#include <cstdint>

// Binary floating-point formats by the bits of their significand: the IEEE
// double and the x87 extended format.
enum class ScoreFormat { Double = 53, Extended = 64 };

// right ÷ total × 100 × 10000 as a floating-point unit of that format works
// it — the quotient and each product rounded to nearest, ties to even — then
// rounded half to even to a whole number of ten-thousandths. Worked exactly in
// integers, so every processor gives the same digits. total is at least 1.
qint64 PercentScore(std::int32_t right, std::int32_t total, ScoreFormat format);
