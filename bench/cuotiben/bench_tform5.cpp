// The 错题本 window opening over a notebook of 10,000 entries, from its
// creation to its first paint: the file read, what is due counted and the
// two lists laid out.
#include "cuotiben/Notebook.h"
#include "cuotiben/TForm5.h"
#include "support/ReportMedian.h"
#include "support/RunWindowBenchmarks.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const QDate kMonday(2024, 3, 4);

// 10,000 misses of the last 30 days, a tenth of them conquered.
QString WriteNotebook(const QTemporaryDir &dir, int entries)
{
    const QString path = Notebook::PathIn(dir.path());
    Notebook notebook(path);
    for (int i = 0; i < entries; ++i) {
        const int first = i / 100 + 1;
        const int second = i % 100 + 1;
        const ArithProblem problem{first, Operator::Multiplication, second, first * second};
        const QDate missed = kMonday.addDays(-30 - (i % 30));
        notebook.NoteMiss(problem, QString::number(i % 97), static_cast<MissSource>(i % 3), missed);
        if (i % 10 == 0) {
            for (const int day : {1, 4, 11})
                notebook.NoteReview(problem, true, QString::number(problem.Answer), missed.addDays(day));
        }
    }
    if (notebook.Save())
        std::abort();
    std::printf("notebook: %d entries, %lld bytes\n", entries, static_cast<long long>(QFile(path).size()));
    return path;
}

void BM_OpenNotebookWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = WriteNotebook(dir, static_cast<int>(state.range(0)));
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TForm5 form(path, [] { return kMonday; });
        form.show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
    }
    ReportMedian(state, seconds);
}
BENCHMARK(BM_OpenNotebookWindow)->ArgName("entries")->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
