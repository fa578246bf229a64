#include "arithmetic/ProblemText.h"

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
