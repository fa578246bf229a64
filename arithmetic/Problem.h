#pragma once

#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/Term.h"

#include <array>
#include <cstdint>
#include <optional>

// Which two terms of three a pair of brackets holds.
enum class Brackets : std::uint8_t { None, FirstTwo, LastTwo };

// Any problem the program asks: two or three terms, brackets round two of
// three, and a blank (□) in any term or, as usual, in the answer. The
// drill's classic a ∘ b is the two-term problem with the blank in the answer.
struct Problem {
    static constexpr std::int8_t BlankAnswer = -1;

    std::array<Term, 3> Terms{};  // left to right; a blank term holds its value
    std::array<Operator, 2> Signs{Operator::Addition, Operator::Addition};
    std::int8_t TermCount = 2;
    Brackets Group = Brackets::None;
    std::int8_t Blank = BlankAnswer;  // the term the child fills, or the answer
    AnswerValue Result;               // the value of the whole expression

    // a ∘ b; the result is worked out exactly, and its kind follows the
    // terms: a fraction among them asks for a fraction, a percent for a
    // number that may carry "%", a decimal (or a quotient that is one) for a
    // decimal, whole numbers for a whole number.
    static Problem Of(const Term &a, Operator op, const Term &b);
    // a ∘ b ∘ c, × and ÷ before + and −, brackets first.
    static Problem Of(const Term &a, Operator first, const Term &b, Operator second, const Term &c,
                      Brackets group = Brackets::None);
    static Problem From(const ArithProblem &problem);

    // The same problem with the term at index left for the child.
    Problem WithBlank(int term) const;

    // What the child writes: the blank term's value or the result.
    AnswerValue Expected() const;
    // The terms worked out exactly, × and ÷ before + and −, brackets first:
    // nothing for a division by 0 or when a step leaves 32 bits, as a
    // hand-edited file's terms may make it.
    std::optional<Exact> Value() const;
    AnswerKind Kind() const { return Expected().Kind; }

    bool operator==(const Problem &) const = default;
};

// The problem as the classic drill keeps it, when it is one: two terms, the
// blank in a whole-number answer.
std::optional<ArithProblem> AsArithProblem(const Problem &problem);

// Whole-number arithmetic of one sign, division truncated and by 0 giving 0:
// nothing when the value leaves 32 bits. Every sum worked out from a file
// goes through here.
std::optional<std::int32_t> Apply(std::int32_t a, Operator op, std::int32_t b);
