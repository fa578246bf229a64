#include "arithmetic/Problem.h"

std::int64_t Apply(std::int64_t a, Operator op, std::int64_t b)
{
    switch (op) {
    case Operator::Addition:
        return a + b;
    case Operator::Subtraction:
        return a - b;
    case Operator::Multiplication:
        return a * b;
    case Operator::Division:
        break;
    }
    return b == 0 ? 0 : a / b;
}

namespace {

bool Binds(Operator op)
{
    return op == Operator::Multiplication || op == Operator::Division;
}

}  // namespace

Problem Problem::Of(std::int32_t a, Operator op, std::int32_t b)
{
    Problem p;
    p.Terms = {a, b, 0};
    p.Signs = {op, Operator::Addition};
    p.Result = AnswerValue::Whole(static_cast<std::int32_t>(Apply(a, op, b)));
    return p;
}

Problem Problem::Of(std::int32_t a, Operator first, std::int32_t b, Operator second, std::int32_t c,
                    Brackets group)
{
    Problem p;
    p.Terms = {a, b, c};
    p.Signs = {first, second};
    p.TermCount = 3;
    p.Group = group;
    const bool lastFirst = group == Brackets::LastTwo || (group == Brackets::None && Binds(second) && !Binds(first));
    const std::int64_t value = lastFirst ? Apply(a, first, Apply(b, second, c)) : Apply(Apply(a, first, b), second, c);
    p.Result = AnswerValue::Whole(static_cast<std::int32_t>(value));
    return p;
}

Problem Problem::From(const ArithProblem &problem)
{
    Problem p = Of(problem.FirstOperand, problem.OperatorCode, problem.SecondOperand);
    p.Result = AnswerValue::Whole(problem.Answer);
    return p;
}

Problem Problem::WithBlank(int term) const
{
    Problem p = *this;
    p.Blank = static_cast<std::int8_t>(term);
    return p;
}

AnswerValue Problem::Expected() const
{
    if (Blank == BlankAnswer)
        return Result;
    return AnswerValue::Whole(Terms.at(static_cast<std::size_t>(Blank)));
}

std::optional<ArithProblem> AsArithProblem(const Problem &problem)
{
    if (problem.TermCount != 2 || problem.Blank != Problem::BlankAnswer || problem.Result.Kind != AnswerKind::Whole)
        return std::nullopt;
    return ArithProblem{problem.Terms[0], problem.Signs[0], problem.Terms[1], problem.Result.Number};
}
