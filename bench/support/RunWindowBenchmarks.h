#pragma once

#include "sound/Cues.h"
#include "notices/Notices.h"
#include "support/RunBenchmarks.h"

#include <QApplication>
#include <functional>

// The main of a benchmark that drives real windows: cues and message boxes
// are taken away (they are not the window's own work, and a box would wait
// for its OK button); prepare runs once the application object exists.
inline int RunWindowBenchmarks(int argc, char **argv, const std::function<void()> &prepare = {})
{
    return RunBenchmarks<QApplication>(argc, argv, [&prepare] {
        Cues::ListenForTests([](const QString &) {});
        Notices::InterceptForTests([](Notices::Kind, const QString &) {});
        if (prepare)
            prepare();
    });
}
