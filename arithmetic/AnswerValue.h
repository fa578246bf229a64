#pragma once

#include "arithmetic/Exact.h"

#include <cstdint>
#include <optional>

class QString;
struct Term;

// What kind of answer a problem asks for, each with its reading and its
// written form.
enum class AnswerKind : std::uint8_t {
    Whole,              // "9"
    QuotientRemainder,  // 商 and 余数: "7……3"
    Decimal,            // "3.5", a whole number too
    Fraction,           // "3/4", "7/6", "1 1/6", a whole number too
    Percent,            // a number, "%" after it allowed: "10", "12.5%"
};

// An answer's value. Remainder is used by QuotientRemainder alone and stays
// 0 otherwise, so two values compare equal exactly when they are the same
// answer.
struct AnswerValue {
    AnswerKind Kind = AnswerKind::Whole;
    Exact Number;                // the value, or the quotient
    std::int32_t Remainder = 0;  // 余数

    static AnswerValue Whole(std::int32_t number) { return {AnswerKind::Whole, number, 0}; }
    static AnswerValue WithRemainder(std::int32_t quotient, std::int32_t remainder)
    {
        return {AnswerKind::QuotientRemainder, quotient, remainder};
    }

    bool operator==(const AnswerValue &) const = default;
};

// The written form: "9", "7……3", "0.25", "7/6".
QString AnswerText(const AnswerValue &value);

// The spoken form: "9", "7余3", "0.25", "六分之七".
QString SpokenAnswer(const AnswerValue &value);

// A term as a problem writes it: "3", "0.25", "2/8", "25%".
QString TermText(const Term &term);
// And as it is said: "八分之二", "百分之二十五".
QString SpokenTerm(const Term &term);

// A typed answer of the given kind, read as the drill reads it: leading
// zeros count for nothing ("07" is 7, "7……03" is 7……3). A remainder is
// written after "……", "…", "..." or "余"; both parts are needed. A decimal
// has digits on both sides of its point ("0.50" is 0.5; ".5", "1." and
// "1.2.3" are no answers); a fraction is "a/b", a mixed number "1 1/6", its
// fraction proper; "1/0" and "1/2/3" are no answers. Full-width digits and
// signs from a Chinese input method read as their ASCII twins except in a
// whole number, whose box keeps its own filter. Nothing when the text is not
// an answer of that kind.
std::optional<AnswerValue> ReadAnswerOfKind(const QString &text, AnswerKind kind);

// What a typed answer earns.
enum class Verdict : std::uint8_t {
    Right,
    Wrong,
    NotReduced,  // the right value, but a fraction not in lowest terms where 约分 is asked: "要约分"
};

// The typed text against the right answer: nothing when it is not an answer
// of the right answer's kind. With lowestTerms, a fraction must be written
// reduced ("2/4" for 1/2 is NotReduced, and "4/2" for 2 too).
std::optional<Verdict> Judge(const QString &typed, const AnswerValue &right, bool lowestTerms);

// The exam's boxes take a remainder written with "…", "..." or "余" and show
// it as "7……3"; any other text stays as typed.
QString TidiedAnswerText(const QString &text, AnswerKind kind);

// How to write an answer of the kind, told when a typed answer is not one:
// empty for whole numbers, whose drill keeps its own error text.
QString HowToWrite(AnswerKind kind);
