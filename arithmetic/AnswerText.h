#pragma once

#include <QChar>
#include <cstdint>
#include <functional>
#include <optional>

class QString;
struct ArithProblem;
enum class AnswerKind : std::uint8_t;

// The answer box holds text; the drill reads it as a signed 32-bit decimal
// integer: an optional sign followed by digits, nothing else.
std::optional<std::int32_t> ReadAnswer(const QString &text);

// Where a typed character goes once the drill has looked at it.
enum class TypedKey { ToAnswerBox, Swallowed };

// Whether a typed character may reach the answer box: Backspace, Enter and
// the digits 0 to 9, and what an answer of the kind is written with besides:
// the point of a decimal, "%" after a percent, "/" and the space of a
// fraction, in their full-width forms too.
bool PassesAnswerFilter(QChar typed, AnswerKind kind);

// The keyboard filter of an answer box for answers of the kind: what passes
// goes into the box, except Enter, which runs check while answers are taken.
TypedKey FilterTypedKey(QChar typed, AnswerKind kind, bool takingAnswers, const std::function<void()> &check);

// The answer box's text after a keypad key (digit 0 to 9) is pressed: a lone
// "0" gives way to the next digit and stays alone when "0" is pressed again,
// so the keypad never makes a leading zero yet can enter 0 itself.
QString AfterKeypadDigit(const QString &text, int digit);

// The box's text after the "余" key: "……" once, after the 商 typed so far.
QString AfterRemainderKey(const QString &text);

// The box's text after the "." key: one point, after what is typed so far.
QString AfterPointKey(const QString &text);

// What becomes the whole-number part of a 带分数 when the "分数" key turns
// the box into a stacked fraction: the number typed so far, or nothing.
QString WholePartBeforeFraction(const QString &text);

// What the box says to the right value written as a fraction not in lowest
// terms where 约分 is asked, and what a graded paper marks it with.
QString NotReducedText();

// A typed fraction as it is said, for a screen reader: "3/4" is "四分之三",
// "1 1/6" is "1又六分之一"; a fraction not yet written whole is read as
// typed.
QString SpokenTypedFraction(const QString &text);

// A record line: first operand, one-character sign, second operand, "=" and
// the answer exactly as typed: "9*3=28".
QString RecordLine(const ArithProblem &problem, const QString &answer);
