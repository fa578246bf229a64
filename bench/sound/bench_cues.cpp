// How long PlayCue keeps the click that asked for a cue: right and wrong
// answers' cues in turn, each cutting off the one before, with the event loop
// running between them as in the drill. Run it with a sound server
// (PULSE_SERVER naming one) and without.
#include "sound/CueNames.h"
#include "sound/Cues.h"
#include "storage/InstallFolder.h"
#include "support/ReportMedian.h"
#include "support/RunBenchmarks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

// Lets the event loop run as it does between two answers: the output for the
// next cue is opened and the sound server is fed.
void RunEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
}

void BM_PlayCue(benchmark::State &state)
{
    // A cue that is not found plays nothing, quickly: that is not what is
    // measured here.
    if (!QFile::exists(InstallFolder::PathOf(CueNames::Dui()))) {
        state.SkipWithError("the cue files are not where the program looks for them");
        return;
    }
    Cues::Preload();
    RunEventsFor(200);
    std::vector<double> seconds;
    bool right = true;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        PlayCue(right ? CueNames::Dui() : CueNames::Cuo());
        const double took = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(took);
        seconds.push_back(took);
        right = !right;
        RunEventsFor(static_cast<int>(state.range(0)));
    }
    ReportMedian(state, seconds);
}
// Milliseconds between two cues: cut off at once, or nearly played out.
BENCHMARK(BM_PlayCue)->ArgName("gap_ms")->Arg(20)->Arg(400)->Iterations(100)->UseManualTime()->Unit(
    benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QCoreApplication>(argc, argv);
}
