#include "kaochang/ExamPaper.h"

ExamPaper DrawPaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source)
{
    ExamPaper paper;
    paper.reserve(N);
    for (int i = 0; i < N; ++i) {
        const ArithProblem problem = DrawProblem(R, choice, source);
        paper.append({problem.FirstOperand, problem.SecondOperand, problem.Answer, ExamProblemText(problem),
                      problem.OperatorCode});
    }
    return paper;
}

ExamPaper GeneratePaper(int N, std::int32_t R, OperationChoice choice, RandomSource &source)
{
    source.Reseed();
    return DrawPaper(N, R, choice, source);
}
