#pragma once

#include <benchmark/benchmark.h>
#include <functional>

// The main of a benchmark that needs a Qt application object of the given
// kind (QCoreApplication, QGuiApplication, QApplication); prepare runs once
// it exists.
template <typename Application>
int RunBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {})
{
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (prepare)
        prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
