#include "kaochang/ExamPaper.h"

QString ExamOperatorText(Operator op)
{
    switch (op) {
    case Operator::Addition:
        return QStringLiteral(" + ");
    case Operator::Subtraction:
        return QStringLiteral(" - ");
    case Operator::Multiplication:
        return QStringLiteral(" × ");
    case Operator::Division:
        break;
    }
    return QStringLiteral(" ÷ ");
}

QString ExamProblemText(const ArithProblem &problem)
{
    return QString::number(problem.FirstOperand) + ExamOperatorText(problem.OperatorCode)
        + QString::number(problem.SecondOperand) + QLatin1Char('=');
}

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
