#include "arithmetic/ProblemGenerator.h"

#include <chrono>

void RandomSource::Reseed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    S = static_cast<std::uint32_t>(ticks);
}

std::uint32_t RandomSource::Below(std::uint32_t n)
{
    S = S * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(S) * n) >> 32);
}

namespace {

std::int32_t DrawOperand(std::int32_t upTo, RandomSource &source)
{
    return static_cast<std::int32_t>(source.Below(static_cast<std::uint32_t>(upTo))) + 1;
}

Operator DrawOperator(OperationChoice choice, RandomSource &source)
{
    switch (choice) {
    case OperationChoice::AddSubtract:
        return static_cast<Operator>(source.Below(2) + 1);
    case OperationChoice::MultiplyDivide:
        return static_cast<Operator>(source.Below(2) + 3);
    case OperationChoice::Mixed:
        break;
    }
    return static_cast<Operator>(source.Below(4) + 1);
}

}  // namespace

ArithProblem DrawProblem(std::int32_t N, OperationChoice choice, RandomSource &source)
{
    ArithProblem p;
    p.OperatorCode = DrawOperator(choice, source);
    std::int32_t a = 0;
    std::int32_t b = 0;
    switch (p.OperatorCode) {
    case Operator::Addition:
        a = DrawOperand(N, source);
        b = DrawOperand(N, source);
        p.Answer = a + b;
        break;
    case Operator::Subtraction:
        a = DrawOperand(N, source);
        b = DrawOperand(a, source);
        p.Answer = a - b;
        break;
    case Operator::Multiplication:
        a = DrawOperand(N, source);
        b = DrawOperand(N, source);
        p.Answer = a * b;
        break;
    case Operator::Division:
        // A rejected pair is thrown away whole; b = 1 always divides, so the
        // loop ends.
        do {
            a = DrawOperand(N, source);
            b = DrawOperand(a, source);
        } while (a % b != 0);
        p.Answer = a / b;
        break;
    }
    p.FirstOperand = a;
    p.SecondOperand = b;
    return p;
}

std::string_view OperatorText(Operator op)
{
    switch (op) {
    case Operator::Addition:
        return "+";
    case Operator::Subtraction:
        return "-";
    case Operator::Multiplication:
        return "*";
    case Operator::Division:
        break;
    }
    return "/";
}
