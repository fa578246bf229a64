// Problems of each 课本同步 preset drawn per second (the drill draws one
// after each answer; at least a million a second is wanted), and whole
// papers of 100 questions without repeats (at most 5 ms each). Run with
// --benchmark_repetitions=9 for medians.
#include "arithmetic/Presets.h"

#include <benchmark/benchmark.h>
#include <string>

static void BM_DrawNext(benchmark::State &state)
{
    const Preset &preset = *FindPreset(static_cast<int>(state.range(0)));
    const int choice = static_cast<int>(state.range(1));
    RandomSource source;
    source.Reseed();
    Problem previous = preset.Draw(choice, source);
    for (auto _ : state) {
        previous = DrawNext(preset, choice, source, previous);
        benchmark::DoNotOptimize(previous);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(PresetTitle(preset, choice).toStdString());
}

static void BM_Paper100(benchmark::State &state)
{
    const Preset &preset = *FindPreset(static_cast<int>(state.range(0)));
    RandomSource source;
    source.Reseed();
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawPaper(preset, 0, 100, source));
    state.SetLabel(PresetTitle(preset, 0).toStdString());
}

static void EveryPreset(benchmark::internal::Benchmark *b)
{
    for (const Preset &preset : Presets()) {
        const int choices = std::max(1, static_cast<int>(preset.Choices.size()));
        for (int choice = 0; choice < choices; ++choice)
            b->Args({preset.Id, choice});
    }
}

BENCHMARK(BM_DrawNext)->Apply(EveryPreset);
BENCHMARK(BM_Paper100)->DenseRange(1, static_cast<int>(Presets().size()))->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
