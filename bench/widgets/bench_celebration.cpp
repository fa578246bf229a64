// What a celebration costs the screen: every frame of the stars rising over
// the drill's problem row, and of the 错题本's window-sized celebration, is
// painted with what lies beneath it, at scale 2 (QT_SCALE_FACTOR, unless
// the caller chose another). The slowest frame must stay within 16 ms.

#include "support/RunWindowBenchmarks.h"
#include "widgets/CelebrationPanel.h"
#include "widgets/Controls.h"
#include "widgets/PictureBox.h"
#include "widgets/StarBurst.h"

#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A drill-sized window with its background art, as the stars find it.
struct Window {
    QWidget window;
    Window()
    {
        window.setFixedSize(792, 573);
        Controls::MakePicture(&window, "Image1", window.rect(), QStringLiteral(":/drill/background.svg"), {});
        window.show();
        QCoreApplication::processEvents();
    }
};

// Plays a burst through, painting each frame at its own time as the timer
// would: the first frame paints all that start() showed, each later one
// the stars' rectangle. Reports the slowest and the median frame.
void TimeFrames(benchmark::State &state, StarBurst &burst, QWidget &shown, const std::function<void()> &start)
{
    std::vector<double> frames;
    double slowest = 0;
    for (auto _ : state) {
        start();
        burst.Timer1->stop();
        const auto began = Clock::now();
        for (QWidget *painted = &shown; Clock::now() - began < std::chrono::milliseconds(StarBurst::RunMilliseconds);
             painted = &burst) {
            const auto t0 = Clock::now();
            painted->repaint();
            const std::chrono::duration<double> took = Clock::now() - t0;
            frames.push_back(took.count());
            slowest = std::max(slowest, took.count());
            state.SetIterationTime(took.count());
            QThread::msleep(16);
        }
    }
    std::sort(frames.begin(), frames.end());
    state.counters["frames"] = static_cast<double>(frames.size());
    state.counters["median_ms"] = frames[frames.size() / 2] * 1e3;
    state.counters["slowest_ms"] = slowest * 1e3;
}

void BM_StarsOverTheProblemRow(benchmark::State &state)
{
    Window w;
    auto *burst = Controls::Place(new StarBurst(&w.window), "Image15", {80, 140, 690, 160});
    TimeFrames(state, *burst, *burst, [burst] { burst->Play(); });
}
BENCHMARK(BM_StarsOverTheProblemRow)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WindowSizedCelebration(benchmark::State &state)
{
    Window w;
    auto *panel = new CelebrationPanel(&w.window, "Panel3", "Image8", "SpeedButton4");
    // The 错题本 has drawn its type already (its keypad's captions share the
    // card's face); here a first showing, untimed, does that.
    panel->Celebrate(QStringLiteral("今天的错题全部复习完了！答对 6 道"));
    panel->repaint();
    panel->hide();
    TimeFrames(state, *panel->Stars, *panel,
               [panel] { panel->Celebrate(QStringLiteral("今天的错题全部复习完了！答对 6 道"));});
}
BENCHMARK(BM_WindowSizedCelebration)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    return RunWindowBenchmarks(argc, argv);
}
