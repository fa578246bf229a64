#include "kaochang/ExamGrading.h"
#include "kaochang/ExamPaper.h"
#include "kaochang/TForm4.h"
#include "support/RunWindowBenchmarks.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>

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
