#pragma once

#include <QChar>
#include <cstdint>
#include <optional>

class QString;

// The answer box holds text; the drill reads it as a signed 32-bit decimal
// integer: an optional sign followed by digits, nothing else.
std::optional<std::int32_t> ReadAnswer(const QString &text);

// Whether a typed character may reach the answer box: Backspace, Enter and
// the digits 0 to 9.
bool PassesAnswerFilter(QChar typed);
