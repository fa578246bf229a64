// How quickly the drill window answers a child: a checked answer followed by
// the next problem on screen, and the result panel opening over long lists.
// Sound is left out: cues are only named, not played.

#include "lianxi/TForm2.h"
#include "support/ReportMedian.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Lets every posted paint and delayed layout run, so what was changed is on
// screen.
void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void Answer(TForm2 &form, bool right)
{
    const std::int32_t answer = form.Session().Problem().Answer;
    form.Edit1->setText(QString::number(right ? answer : answer + 1));
    form.SpeedButton15->click();
}

void Fill(TForm2 &form, int eachList)
{
    for (int i = 0; i < 2 * eachList; ++i)
        Answer(form, i % 2 == 0);
}

// One answer checked and the next problem shown; the argument is how many
// answers of each kind the drill already holds, and the second whether the
// result panel is open (its lists then grow on screen).
void BM_CheckAndNextProblem(benchmark::State &state)
{
    TForm2 form;
    form.show();
    form.SpeedButton4->click();
    Fill(form, static_cast<int>(state.range(0)));
    if (state.range(1) != 0)
        form.SpeedButton3->click();
    Settle();

    std::vector<double> seconds;
    bool right = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        Answer(form, right);
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        right = !right;
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_CheckAndNextProblem)
    ->ArgNames({"each_list", "panel_open"})
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// "查看" pressed with 10,000 lines in each list, until the panel is drawn.
void BM_OpenResultPanel(benchmark::State &state)
{
    TForm2 form;
    form.show();
    form.SpeedButton4->click();
    Fill(form, static_cast<int>(state.range(0)));
    Settle();

    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.SpeedButton3->click();
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        form.SpeedButton16->click();
        Settle();
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_OpenResultPanel)->ArgName("each_list")->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
