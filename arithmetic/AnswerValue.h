#pragma once

#include <cstdint>
#include <optional>

class QString;

// What kind of answer a problem asks for. Decimals and fractions join here
// later, each with its reading and its written form.
enum class AnswerKind : std::uint8_t {
    Whole,              // "9"
    QuotientRemainder,  // 商 and 余数: "7……3"
};

// An answer's value. Remainder is used by QuotientRemainder alone and stays
// 0 otherwise, so two values compare equal exactly when they are the same
// answer.
struct AnswerValue {
    AnswerKind Kind = AnswerKind::Whole;
    std::int32_t Number = 0;     // the whole number, or the quotient
    std::int32_t Remainder = 0;  // 余数

    static AnswerValue Whole(std::int32_t number) { return {AnswerKind::Whole, number, 0}; }
    static AnswerValue WithRemainder(std::int32_t quotient, std::int32_t remainder)
    {
        return {AnswerKind::QuotientRemainder, quotient, remainder};
    }

    bool operator==(const AnswerValue &) const = default;
};

// The written form: "9", "7……3".
QString AnswerText(const AnswerValue &value);

// The spoken form: "9", "7余3".
QString SpokenAnswer(const AnswerValue &value);

// A typed answer of the given kind, read as the drill reads it: leading
// zeros count for nothing ("07" is 7, "7……03" is 7……3). A remainder is
// written after "……", "…", "..." or "余"; both parts are needed. Nothing
// when the text is not an answer of that kind ("7……", "……3", "7" for a
// remainder).
std::optional<AnswerValue> ReadAnswerOfKind(const QString &text, AnswerKind kind);

// The exam's boxes take a remainder written with "…", "..." or "余" and show
// it as "7……3"; any other text stays as typed.
QString TidiedAnswerText(const QString &text, AnswerKind kind);

// How to write an answer of the kind, told when a typed answer is not one:
// empty for whole numbers, whose drill keeps its own error text.
QString HowToWrite(AnswerKind kind);
