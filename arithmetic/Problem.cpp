#include "arithmetic/Problem.h"

std::optional<std::int32_t> Apply(std::int32_t a, Operator op, std::int32_t b)
{
    std::int32_t value = 0;
    bool overflow = false;
    switch (op) {
    case Operator::Addition:
        overflow = __builtin_add_overflow(a, b, &value);
        break;
    case Operator::Subtraction:
        overflow = __builtin_sub_overflow(a, b, &value);
        break;
    case Operator::Multiplication:
        overflow = __builtin_mul_overflow(a, b, &value);
        break;
    case Operator::Division:
        // a ÷ −1 is −a, the one quotient that can leave 32 bits.
        if (b == -1)
            overflow = __builtin_sub_overflow(0, a, &value);
        else
            value = b == 0 ? 0 : a / b;
        break;
    }
    if (overflow)
        return std::nullopt;
    return value;
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
    // A draw's terms are small; a file's reader checks Value() itself.
    p.Result = AnswerValue::Whole(p.Value().value_or(0));
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
    p.Result = AnswerValue::Whole(p.Value().value_or(0));
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

std::optional<std::int32_t> Problem::Value() const
{
    const auto [a, b, c] = Terms;
    const auto [first, second] = Signs;
    if (TermCount == 2)
        return Apply(a, first, b);
    const bool lastFirst = Group == Brackets::LastTwo || (Group == Brackets::None && Binds(second) && !Binds(first));
    if (lastFirst) {
        const std::optional<std::int32_t> last = Apply(b, second, c);
        return last ? Apply(a, first, *last) : std::nullopt;
    }
    const std::optional<std::int32_t> leading = Apply(a, first, b);
    return leading ? Apply(*leading, second, c) : std::nullopt;
}

std::optional<ArithProblem> AsArithProblem(const Problem &problem)
{
    if (problem.TermCount != 2 || problem.Blank != Problem::BlankAnswer || problem.Result.Kind != AnswerKind::Whole)
        return std::nullopt;
    return ArithProblem{problem.Terms[0], problem.Signs[0], problem.Terms[1], problem.Result.Number};
}
