#pragma once

#include <QChar>
#include <cstdint>
#include <functional>
#include <optional>

class QString;
struct ArithProblem;

// The answer box holds text; the drill reads it as a signed 32-bit decimal
// integer: an optional sign followed by digits, nothing else.
std::optional<std::int32_t> ReadAnswer(const QString &text);

// Where a typed character goes once the drill has looked at it.
enum class TypedKey { ToAnswerBox, Swallowed };

// Whether a typed character may reach the answer box: Backspace, Enter and
// the digits 0 to 9.
bool PassesAnswerFilter(QChar typed);

// The keyboard filter of an answer box: what passes goes into the box,
// except Enter, which runs check while answers are taken.
TypedKey FilterTypedKey(QChar typed, bool takingAnswers, const std::function<void()> &check);

// The answer box's text after a keypad key (digit 0 to 9) is pressed: a lone
// "0" gives way to the next digit and stays alone when "0" is pressed again,
// so the keypad never makes a leading zero yet can enter 0 itself.
QString AfterKeypadDigit(const QString &text, int digit);

// The box's text after the "余" key: "……" once, after the 商 typed so far.
QString AfterRemainderKey(const QString &text);

// A record line: first operand, one-character sign, second operand, "=" and
// the answer exactly as typed: "9*3=28".
QString RecordLine(const ArithProblem &problem, const QString &answer);
