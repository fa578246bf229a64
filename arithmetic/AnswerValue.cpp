#include "arithmetic/AnswerValue.h"

#include <QString>
#include <array>

namespace {

const QString kRemainderMark = QStringLiteral("……");

// The ways a child may write the mark between 商 and 余数, longest first so
// that "……" is not read as two "…".
const std::array<QString, 4> &RemainderMarks()
{
    static const std::array<QString, 4> marks{kRemainderMark, QStringLiteral("..."), QStringLiteral("…"),
                                              QStringLiteral("余")};
    return marks;
}

// Digits only, at least one, up to 2^31 - 1.
std::optional<std::int32_t> ReadDigits(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT32_MAX)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// An optional sign and digits, within 32 bits.
std::optional<std::int32_t> ReadWhole(const QString &text)
{
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    if (at == text.size())
        return std::nullopt;

    // The magnitude may reach 2^31 only for a negative value.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

QString AnswerText(const AnswerValue &value)
{
    if (value.Kind == AnswerKind::QuotientRemainder)
        return QString::number(value.Number) + kRemainderMark + QString::number(value.Remainder);
    return QString::number(value.Number);
}

QString SpokenAnswer(const AnswerValue &value)
{
    if (value.Kind == AnswerKind::QuotientRemainder)
        return QString::number(value.Number) + QStringLiteral("余") + QString::number(value.Remainder);
    return QString::number(value.Number);
}

std::optional<AnswerValue> ReadAnswerOfKind(const QString &text, AnswerKind kind)
{
    if (kind == AnswerKind::Whole) {
        if (const std::optional<std::int32_t> number = ReadWhole(text))
            return AnswerValue::Whole(*number);
        return std::nullopt;
    }
    for (const QString &mark : RemainderMarks()) {
        const qsizetype at = text.indexOf(mark);
        if (at < 0)
            continue;
        const std::optional<std::int32_t> quotient = ReadDigits(QStringView(text).first(at));
        const std::optional<std::int32_t> remainder = ReadDigits(QStringView(text).sliced(at + mark.size()));
        if (!quotient || !remainder)
            return std::nullopt;
        return AnswerValue::WithRemainder(*quotient, *remainder);
    }
    return std::nullopt;
}

QString TidiedAnswerText(const QString &text, AnswerKind kind)
{
    if (kind != AnswerKind::QuotientRemainder)
        return text;
    for (const QString &mark : RemainderMarks()) {
        const qsizetype at = text.indexOf(mark);
        if (at < 0)
            continue;
        if (!ReadAnswerOfKind(text, kind))
            return text;
        return QString(text).replace(at, mark.size(), kRemainderMark);
    }
    return text;
}

QString HowToWrite(AnswerKind kind)
{
    if (kind == AnswerKind::QuotientRemainder)
        return QStringLiteral("商和余数这样写：7……3");
    return QString();
}
