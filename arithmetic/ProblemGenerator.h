#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Random arithmetic problems for the drill and the exam room.

enum class Operator : std::int32_t { Addition = 1, Subtraction = 2, Multiplication = 3, Division = 4 };

// The index of the selected item of the "算法选择" list.
enum class OperationChoice : std::int32_t { AddSubtract = 0, MultiplyDivide = 1, Mixed = 2 };

struct ArithProblem {
    std::int32_t FirstOperand = 0;
    Operator OperatorCode = Operator::Addition;
    std::int32_t SecondOperand = 0;
    std::int32_t Answer = 0;
};

// The items of the "选择范围" list; the selected text read as a decimal
// number is the range bound N.
inline constexpr std::array<std::string_view, 9> RangeItems{
    "10", "20", "50", "100", "200", "500", "1000", "5000", "10000"};

// The items of the "算法选择" list, in OperationChoice order (UTF-8).
inline constexpr std::array<std::string_view, 3> OperationItems{"加减", "乘除", "综合"};

// A 32-bit linear congruential source. Its exact sequence matters: a fixed
// seed must give the same problems on every machine.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t state = 0) : S(state) {}

    // The low 32 bits of a free-running high-resolution counter.
    void Reseed();

    // A number from 0 to n - 1, for n of 1 or more; advances the state once.
    std::uint32_t Below(std::uint32_t n);

    std::uint32_t State() const { return S; }

private:
    std::uint32_t S;
};

// N is the range bound (operands run from 1 to N). Never reseeds.
ArithProblem DrawProblem(std::int32_t N, OperationChoice choice, RandomSource &source);

// The one-character sign of a drill record line: "+", "-", "*" or "/".
std::string_view OperatorText(Operator op);
