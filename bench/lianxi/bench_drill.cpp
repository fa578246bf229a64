// How quickly the drill window answers a child: a checked answer followed by
// the next problem on screen, also with the 错题本 taking every miss, and
// the result panel opening over long lists. Sound is left out: cues are
// only named, not played.

#include "arithmetic/AnswerValue.h"
#include "cuotiben/Notebook.h"
#include "lianxi/TForm2.h"
#include "shell/NotebookFeed.h"
#include "support/ReportMedian.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"
#include "widgets/StarBurst.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
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

// Each iteration one answer, right and wrong in turn, timed until the next
// problem is on screen.
void TimeAlternateAnswers(benchmark::State &state, const std::function<void(bool right)> &answer)
{
    std::vector<double> seconds;
    bool right = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        answer(right);
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        right = !right;
    }
    ReportMedian(state, seconds);
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
    TimeAlternateAnswers(state, [&form](bool right) { Answer(form, right); });
}
BENCHMARK(BM_CheckAndNextProblem)
    ->ArgNames({"each_list", "panel_open"})
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The same with a 课本同步 preset, the argument its id (6: 20以内进位加法,
// 14: three terms, 20: 商……余数, 29 and 35: stacked fractions, on the card
// after each miss too): the row of strips around the blank's box is laid out
// again for each problem. Right and wrong answers alternate; a
// wrong one is the right 商 or number plus one, in the preset's own form.
void BM_CheckAndNextPresetProblem(benchmark::State &state)
{
    TForm2 form;
    form.SetPreset({static_cast<int>(state.range(0)), 0});
    form.show();
    form.SpeedButton4->click();
    Settle();
    TimeAlternateAnswers(state, [&form](bool right) {
        AnswerValue answer = form.Session().WholeProblem().Expected();
        answer.Number = right ? answer.Number : *ApplyExact(answer.Number, Operator::Addition, 1);
        form.Edit1->setText(AnswerText(answer));
        form.SpeedButton15->click();
    });
}
BENCHMARK(BM_CheckAndNextPresetProblem)
    ->ArgName("preset")
    ->Arg(6)
    ->Arg(14)
    ->Arg(20)
    ->Arg(29)
    ->Arg(35)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// A fraction written in the stacked answer box (分数, then numerator and
// denominator, not timed), then "确定" timed until the next problem, its
// fractions stacked, is painted; the argument is the preset (29: 同分母分数加减,
// 35: 分数乘除). Right and wrong answers alternate, a wrong one the right
// numerator plus one; a whole answer goes into the plain box.
void BM_CheckStackedAnswerAndNextProblem(benchmark::State &state)
{
    TForm2 form;
    form.SetPreset({static_cast<int>(state.range(0)), 0});
    form.show();
    form.SpeedButton4->click();
    Settle();
    auto *numerator = form.findChild<QLineEdit *>(QStringLiteral("Edit3"));
    auto *denominator = form.findChild<QLineEdit *>(QStringLiteral("Edit4"));
    std::vector<double> seconds;
    bool right = true;
    for (auto _ : state) {
        const Exact value = form.Session().WholeProblem().Expected().Number;
        const int top = value.Numerator() + (right ? 0 : 1);
        if (value.IsWhole()) {
            form.Edit1->setText(QString::number(top));
        } else {
            form.SpeedButton24->click();
            numerator->setText(QString::number(top));
            denominator->setText(QString::number(value.Denominator()));
        }
        Settle();
        const auto start = Clock::now();
        form.SpeedButton15->click();
        Settle();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        right = !right;
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_CheckStackedAnswerAndNextProblem)
    ->ArgName("preset")
    ->Arg(29)
    ->Arg(35)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Ten right in a row, then every frame of the stars rising over the problem
// row painted at its own time, with the operands beneath them; run it with
// QT_SCALE_FACTOR=2 for a high-density screen. Reports the slowest frame,
// which must stay within 16 ms.
void BM_StarFramesOverTheProblem(benchmark::State &state)
{
    TForm2 form;
    // Stars rise in a unit's drill; 10以内加减 asks plain a ± b.
    form.SetPreset(PresetPick{2, 0});
    form.show();
    form.SpeedButton4->click();
    Settle();
    std::vector<double> frames;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            Answer(form, true);
        form.Image15->Timer1->stop();
        const auto began = Clock::now();
        while (Clock::now() - began < std::chrono::milliseconds(StarBurst::RunMilliseconds)) {
            const auto start = Clock::now();
            form.Image15->repaint();
            const std::chrono::duration<double> took = Clock::now() - start;
            frames.push_back(took.count());
            state.SetIterationTime(took.count());
            QThread::msleep(16);
        }
    }
    state.counters["slowest_ms"] = *std::max_element(frames.begin(), frames.end()) * 1e3;
    ReportMedian(state, frames);
}
BENCHMARK(BM_StarFramesOverTheProblem)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// A database folder whose notebook already holds entries problems.
void FillNotebook(const QString &folder, int entries)
{
    Notebook notebook(Notebook::PathIn(folder));
    for (int i = 0; i < entries; ++i) {
        const int first = i / 100 + 11;
        const int second = i % 100 + 1;
        notebook.NoteMiss({first, Operator::Multiplication, second, first * second}, QString::number(i % 97),
                          MissSource::Practice, QDate(2024, 3, 4).addDays(-(i % 30)));
    }
    if (notebook.Save())
        std::abort();
}

// Every answer wrong, so each one is a miss for the notebook, as the menu's
// drill has it. The clock stops once the next problem is painted: only the
// posted events (the paint among them) have run. The save's zero-length
// timer fires after them, in the same turn of the event loop; it is timed
// apart as save_us. The argument is how many entries the notebook holds.
void BM_MissAndNextProblemWithNotebook(benchmark::State &state)
{
    QTemporaryDir folder;
    FillNotebook(folder.path(), static_cast<int>(state.range(0)));
    NotebookFeed &feed = NotebookFeed::Of(folder.path());
    TForm2 form;
    form.SetMissListener(feed.Listener(MissSource::Practice));
    form.show();
    form.SpeedButton4->click();
    Settle();

    std::vector<double> seconds;
    std::vector<double> saves;
    for (auto _ : state) {
        const auto start = Clock::now();
        Answer(form, false);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        const auto shown = Clock::now();
        Settle();
        const std::chrono::duration<double> took = shown - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
        saves.push_back(std::chrono::duration<double>(Clock::now() - shown).count());
    }
    ReportMedian(state, seconds);
    std::sort(saves.begin(), saves.end());
    state.counters["save_us"] = saves[saves.size() / 2] * 1e6;
}
BENCHMARK(BM_MissAndNextProblemWithNotebook)
    ->ArgName("entries")
    ->Arg(0)
    ->Arg(10000)
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
