#pragma once

#include "shell/Cues.h"
#include "shell/Notices.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

// The main of a benchmark that drives real windows: cues and message boxes
// are taken away (they are not the window's own work, and a box would wait
// for its OK button); prepare runs once the application object exists.
inline int RunWindowBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {})
{
    QApplication app(argc, argv);
    Cues::ListenForTests([](const QString &) {});
    Notices::InterceptForTests([](Notices::Kind, const QString &) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (prepare)
        prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
