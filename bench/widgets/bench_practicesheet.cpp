// Printing a practice sheet of 100 problems to a PDF file, from the first
// page to the file's last byte.
#include "widgets/PracticeSheet.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

QList<SheetProblem> Paper(int count)
{
    const QStringList signs{QStringLiteral(" + "), QStringLiteral(" - "), QStringLiteral(" × "),
                            QStringLiteral(" ÷ ")};
    QList<SheetProblem> paper;
    for (int i = 0; i < count; ++i) {
        const int first = 9999 - i * 37;
        paper.append({QString::number(first) + signs.at(i % 4) + QString::number(i + 1) + u'=',
                      QString::number(first * 10 + i)});
    }
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
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
