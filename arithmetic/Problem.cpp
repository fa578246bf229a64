#include "arithmetic/Problem.h"

#include <algorithm>
#include <span>

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

// The answer the terms ask for: see Problem::Of.
AnswerValue ResultOf(const Problem &p)
{
    const auto terms = std::span(p.Terms).first(static_cast<std::size_t>(p.TermCount));
    const Exact value = p.Value().value_or(Exact());
    const auto any = [&terms](auto test) { return std::any_of(terms.begin(), terms.end(), test); };
    AnswerKind kind = AnswerKind::Whole;
    if (any([](const Term &t) { return t.Form == NumberForm::Fraction; }))
        kind = AnswerKind::Fraction;
    else if (any([](const Term &t) { return t.Form == NumberForm::Percent; }))
        kind = AnswerKind::Percent;
    else if (!value.IsWhole() || any([](const Term &t) { return !t.Value.IsWhole(); }))
        kind = AnswerKind::Decimal;
    return {kind, value, 0};
}

}  // namespace

Problem Problem::Of(const Term &a, Operator op, const Term &b)
{
    Problem p;
    p.Terms = {a, b, Term()};
    p.Signs = {op, Operator::Addition};
    // A draw's terms are small; a file's reader checks Value() itself.
    p.Result = ResultOf(p);
    return p;
}

Problem Problem::Of(const Term &a, Operator first, const Term &b, Operator second, const Term &c, Brackets group)
{
    Problem p;
    p.Terms = {a, b, c};
    p.Signs = {first, second};
    p.TermCount = 3;
    p.Group = group;
    p.Result = ResultOf(p);
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
    // A blank holds a number of the problem's own kind; a remainder problem
    // never has one.
    const AnswerKind kind = Result.Kind == AnswerKind::QuotientRemainder ? AnswerKind::Whole : Result.Kind;
    return {kind, Terms.at(static_cast<std::size_t>(Blank)).Value, 0};
}

std::optional<Exact> Problem::Value() const
{
    const Exact a = Terms[0].Value;
    const Exact b = Terms[1].Value;
    const Exact c = Terms[2].Value;
    const auto [first, second] = Signs;
    if (TermCount == 2)
        return ApplyExact(a, first, b);
    const bool lastFirst = Group == Brackets::LastTwo || (Group == Brackets::None && Binds(second) && !Binds(first));
    if (lastFirst) {
        const std::optional<Exact> last = ApplyExact(b, second, c);
        return last ? ApplyExact(a, first, *last) : std::nullopt;
    }
    const std::optional<Exact> leading = ApplyExact(a, first, b);
    return leading ? ApplyExact(*leading, second, c) : std::nullopt;
}

std::optional<ArithProblem> AsArithProblem(const Problem &problem)
{
    const std::optional<std::int32_t> a = problem.Terms[0].Whole();
    const std::optional<std::int32_t> b = problem.Terms[1].Whole();
    if (problem.TermCount != 2 || problem.Blank != Problem::BlankAnswer || problem.Result.Kind != AnswerKind::Whole
        || !a || !b || !problem.Result.Number.IsWhole())
        return std::nullopt;
    return ArithProblem{*a, problem.Signs[0], *b, problem.Result.Number.Numerator()};
}
