// Printing a practice sheet of 100 problems to a PDF file, from the first
// page to the file's last byte.
#include "kaochang/ExamPaper.h"
#include "support/RunBenchmarks.h"
#include "widgets/PracticeSheet.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// An exam paper of the widest problems: range 10000, all four operators.
QList<SheetProblem> Paper(int count)
{
    RandomSource source(2024);
    QList<SheetProblem> paper;
    for (const ExamProblem &problem : DrawPaper(count, 10000, OperationChoice::Mixed, source))
        paper.append({problem.Text, QString::number(problem.Answer)});
    return paper;
}

void BM_PrintToPdf(benchmark::State &state)
{
    const QList<SheetProblem> paper = Paper(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(path);
        if (!DrawPracticeSheet(writer, paper))
            std::abort();
    }
}
BENCHMARK(BM_PrintToPdf)->ArgName("problems")->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QGuiApplication>(argc, argv);
}
