// Problems drawn per second for each operation choice at the smallest and
// the largest range; division at 10000 redraws about 187 times a problem.
#include "arithmetic/ProblemGenerator.h"

#include <benchmark/benchmark.h>

static void BM_DrawProblem(benchmark::State &state)
{
    const auto choice = static_cast<OperationChoice>(state.range(0));
    const auto range = static_cast<std::int32_t>(state.range(1));
    RandomSource source;
    source.Reseed();
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawProblem(range, choice, source));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(OperationItems[static_cast<std::size_t>(state.range(0))]));
}
BENCHMARK(BM_DrawProblem)->ArgsProduct({{0, 1, 2}, {10, 10000}});

BENCHMARK_MAIN();
