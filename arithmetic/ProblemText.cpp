#include "arithmetic/ProblemText.h"

#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"

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
    return PrintedText(Problem::From(problem));
}

// The classic problem's texts are those of its whole form.
QString EquationText(const ArithProblem &problem)
{
    return EquationText(Problem::From(problem));
}

QString SpokenProblem(const ArithProblem &problem)
{
    return SpokenProblem(Problem::From(problem));
}

QString SpokenEquation(const ArithProblem &problem)
{
    return SpokenEquation(Problem::From(problem));
}
