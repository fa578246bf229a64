#include "kaochang/ExamGrading.h"
#include "kaochang/ExamPaper.h"
#include "kaochang/TForm4.h"
#include "support/RunWindowBenchmarks.h"
#include "arithmetic/AnswerValue.h"
#include "widgets/FlatButton.h"
#include "widgets/PracticeSheet.h"
#include "widgets/RadioGroup.h"

#include <QLineEdit>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// A shown exam window with a hundred-question paper of the largest range,
// every answer typed in.
struct ReadyRoom {
    TForm4 window;

    ReadyRoom()
    {
        window.RadioGroup3->setItemIndex(9);
        window.RadioGroup1->setItemIndex(8);
        window.RadioGroup2->setItemIndex(2);
        window.show();
        window.SpeedButton3->click();
        QCoreApplication::processEvents();
    }

    void handIn()
    {
        window.SpeedButton4->click();
        window.SpeedButton3->click();
        window.SpeedButton5->click();
        for (int k = 0; k < ExamRoom::SlotCount; ++k) {
            const int answer = window.Room().Paper().at(k).Answer;
            window.AnswerBoxes[static_cast<std::size_t>(k)]->setText(QString::number(k % 3 ? answer : answer + 1));
        }
        window.Edit51->setText(QStringLiteral("小明"));
        window.SpeedButton7->click();
        QCoreApplication::processEvents();
    }
};

void BM_GeneratePaper(benchmark::State &state)
{
    RandomSource source;
    for (auto _ : state)
        benchmark::DoNotOptimize(GeneratePaper(100, 10000, OperationChoice::Mixed, source));
}
BENCHMARK(BM_GeneratePaper)->Unit(benchmark::kMicrosecond);

void BM_GradeAnswers(benchmark::State &state)
{
    RandomSource source(1);
    const ExamPaper paper = DrawPaper(100, 10000, OperationChoice::Mixed, source);
    QStringList typed;
    for (const ExamProblem &problem : paper)
        typed << QString::number(problem.Answer);
    for (auto _ : state)
        benchmark::DoNotOptimize(GradeAnswers(typed, paper));
}
BENCHMARK(BM_GradeAnswers)->Unit(benchmark::kMicrosecond);

// A teacher's 100-question mixed paper of six units, shuffled: fractions
// and decimals beside 填空 and 余数.
Recipe SixUnits()
{
    return {.Rows = {{.Pick = {34, 0}, .Count = 20},
                     {.Pick = {35, 0}, .Count = 15},
                     {.Pick = {33, 0}, .Count = 20},
                     {.Pick = {29, 0}, .Count = 15},
                     {.Pick = {19, 0}, .Count = 15},
                     {.Pick = {20, 0}, .Count = 15}},
            .Order = RecipeOrder::Shuffled};
}

void BM_RecipePaper(benchmark::State &state)
{
    const Recipe recipe = SixUnits();
    RandomSource source;
    for (auto _ : state)
        benchmark::DoNotOptimize(GenerateRecipePaper(recipe, source));
}
BENCHMARK(BM_RecipePaper)->Unit(benchmark::kMicrosecond);

// The mixed paper printed with its answer page, from the first page to the
// file's last byte.
void BM_PrintRecipePaper(benchmark::State &state)
{
    RandomSource source(2026);
    QList<SheetProblem> sheet;
    for (const ExamProblem &problem : GenerateRecipePaper(SixUnits(), source))
        sheet.append({problem.Text, AnswerText(problem.Form.Expected())});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("recipe.pdf"));
    // The first sheet of a run loads the fonts, as the program's first
    // print does once: timed are the prints after it.
    QPdfWriter first(path);
    if (!DrawPracticeSheet(first, sheet))
        std::abort();
    for (auto _ : state) {
        QPdfWriter writer(path);
        if (!DrawPracticeSheet(writer, sheet))
            std::abort();
    }
}
BENCHMARK(BM_PrintRecipePaper)->Unit(benchmark::kMillisecond);

// 出题 on a ready paper: clearing the hundred slots, drawing and filling them.
void BM_GenerateThroughWindow(benchmark::State &state)
{
    ReadyRoom room;
    for (auto _ : state) {
        room.window.SpeedButton2->click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_GenerateThroughWindow)->Unit(benchmark::kMillisecond);

// 判卷 on a handed-in paper of a hundred answers, repaint included.
void BM_GradeThroughWindow(benchmark::State &state)
{
    ReadyRoom room;
    for (auto _ : state) {
        state.PauseTiming();
        room.handIn();
        state.ResumeTiming();
        room.window.SpeedButton6->click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_GradeThroughWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv);
}
