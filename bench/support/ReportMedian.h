#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

// Adds the median and the 99th percentile of the measured times, in
// microseconds, to a benchmark's counters.
inline void ReportMedian(benchmark::State &state, std::vector<double> &seconds)
{
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_us"] = seconds[seconds.size() / 2] * 1e6;
    state.counters["p99_us"] = seconds[seconds.size() * 99 / 100] * 1e6;
}
