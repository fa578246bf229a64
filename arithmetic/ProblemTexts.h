#pragma once

#include "arithmetic/ProblemGenerator.h"

#include <QList>
#include <QStringView>
#include <cstdint>
#include <optional>

class QString;
struct Problem;

// Every way the program writes or says a problem, from one walk over its
// terms, so that the record line, the paper and the screen reader never
// disagree.

// The left side of a problem, left to right: its numbers, signs and
// brackets, the blank term as a Blank. Every text below is made from it.
struct ProblemPart {
    enum class Kind : std::uint8_t { Number, Sign, Open, Close, Blank };
    Kind PartKind = Kind::Number;
    std::int32_t Number = 0;
    Operator Sign = Operator::Addition;
};
QList<ProblemPart> ProblemParts(const Problem &problem);

// The record line: "8-3+4=9", "62-(25+15)=22", "(7)+3=10" (the child's
// answer in the blank, in brackets), "38/5=7……3"; typed is the answer
// exactly as the child wrote it.
QString RecordLine(const Problem &problem, const QString &typed);

// As the history keeps it: "8+7", "7*8" for the classic a ∘ b; any other
// as its paper prints it without spaces or a closing "=": "□+3=10", "38÷5",
// "8-3+4".
QString HistoryText(const Problem &problem);

// As a paper prints it: "8 - 3 + 4=", "□ + 3=10", "38 ÷ 5=".
QString PrintedText(const Problem &problem);

// As a list on screen shows it, with the minus the problem row draws:
// "8 − 3 + 4=", "□ + 3=10".
QString ListedText(const Problem &problem);

// As a screen reader says it: "8减3加4等于", "几加3等于10".
QString SpokenProblem(const Problem &problem);

// The whole right equation, its minus the problem row's: "4+5=9", "9−4=5",
// "7+3=10", "38÷5=7……3".
QString EquationText(const Problem &problem);

// Said aloud: "4加5等于9", "38除以5等于7余3".
QString SpokenEquation(const Problem &problem);

// The problem a written line holds, back: a record line without its answer
// ("8-3+4=", "()+3=10"), a printed one ("□ + 3=10", "38 ÷ 5=") or either
// without its "=" ("62-(25+15)", "36−4×5"). Spaces count for nothing, and
// "-" and "−", "*" and "×", "/" and "÷" are the same sign. A division that
// leaves a remainder asks for 商 and 余数. Nothing when the text is not a
// problem the program could have asked, or its arithmetic leaves 32 bits.
std::optional<Problem> ProblemOfText(QStringView text);
