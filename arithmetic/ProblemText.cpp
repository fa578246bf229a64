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

QString EquationText(const ArithProblem &problem)
{
    // The paper's sign without its spaces: a short line in large type.
    return QString::number(problem.FirstOperand) + ExamOperatorText(problem.OperatorCode).trimmed()
        + QString::number(problem.SecondOperand) + QLatin1Char('=') + QString::number(problem.Answer);
}

QString SpokenProblem(const ArithProblem &problem)
{
    QString sign;
    switch (problem.OperatorCode) {
    case Operator::Addition:
        sign = QStringLiteral("加");
        break;
    case Operator::Subtraction:
        sign = QStringLiteral("减");
        break;
    case Operator::Multiplication:
        sign = QStringLiteral("乘");
        break;
    case Operator::Division:
        sign = QStringLiteral("除以");
        break;
    }
    return QString::number(problem.FirstOperand) + sign + QString::number(problem.SecondOperand)
        + QStringLiteral("等于");
}

QString SpokenEquation(const ArithProblem &problem)
{
    return SpokenProblem(problem) + QString::number(problem.Answer);
}
