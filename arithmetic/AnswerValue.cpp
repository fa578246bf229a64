#include "arithmetic/AnswerValue.h"

#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/Term.h"

#include <QString>
#include <array>
#include <numeric>

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

// Full-width digits, point, slash, percent and space, as a Chinese input
// method types them, become ASCII; the ends lose their spaces.
QString Normalised(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            out += QChar(u'0' + (u - u'０'));
        else if (u == u'．' || u == u'。')
            out += u'.';
        else if (u == u'／')
            out += u'/';
        else if (u == u'％')
            out += u'%';
        else if (u == u'\u3000')
            out += u' ';
        else
            out += c;
    }
    return out.trimmed();
}

// "3", "3.25", "0.50": digits, then a point with digits after it; at most
// nine digits after the point.
std::optional<Exact> ReadDecimal(QStringView text)
{
    const qsizetype point = text.indexOf(u'.');
    const std::optional<std::int32_t> whole = ReadDigits(point < 0 ? text : text.first(point));
    if (!whole)
        return std::nullopt;
    if (point < 0)
        return Exact(*whole);
    const QStringView places = text.sliced(point + 1);
    const std::optional<std::int32_t> fraction = places.size() <= 9 ? ReadDigits(places) : std::nullopt;
    if (!fraction)
        return std::nullopt;
    std::int64_t power = 1;
    for (qsizetype k = 0; k < places.size(); ++k)
        power *= 10;
    return Exact::Fraction(std::int64_t{*whole} * power + *fraction, power);
}

struct TypedFraction {
    Exact Value;
    bool InLowestTerms = true;
};

// "3", "3/4", "7/6", "1 1/6" (the fraction of a mixed number proper).
std::optional<TypedFraction> ReadFraction(const QString &text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0) {
        const std::optional<std::int32_t> whole = ReadDigits(text);
        return whole ? std::optional<TypedFraction>({Exact(*whole), true}) : std::nullopt;
    }
    const QStringView before = QStringView(text).first(slash);
    const qsizetype space = before.lastIndexOf(u' ');
    const std::optional<std::int32_t> whole =
        space < 0 ? std::optional<std::int32_t>(0) : ReadDigits(before.first(space).trimmed());
    const std::optional<std::int32_t> numerator = ReadDigits(before.sliced(space + 1));
    const std::optional<std::int32_t> denominator = ReadDigits(QStringView(text).sliced(slash + 1));
    if (!whole || !numerator || !denominator || *denominator == 0 || (space >= 0 && *numerator >= *denominator))
        return std::nullopt;
    const std::optional<Exact> value =
        Exact::Fraction(std::int64_t{*whole} * *denominator + *numerator, *denominator);
    if (!value)
        return std::nullopt;
    // "4/2" for 2 is as unreduced as "2/4" for 1/2.
    return TypedFraction{*value, std::gcd(*numerator, *denominator) == 1 && *denominator != 1};
}

QString DecimalText(const Exact &value)
{
    const std::optional<int> places = value.DecimalPlaces();
    if (!places)
        return QString::number(value.Numerator()) + u'/' + QString::number(value.Denominator());
    std::int64_t power = 1;
    for (int k = 0; k < *places; ++k)
        power *= 10;
    const std::int64_t scaled = std::int64_t{value.Numerator()} * (power / value.Denominator());
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    QString text = scaled < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / power);
    if (*places > 0)
        text += u'.' + QStringLiteral("%1").arg(magnitude % power, *places, 10, QLatin1Char('0'));
    return text;
}

QString FractionText(const Exact &value)
{
    if (value.IsWhole())
        return QString::number(value.Numerator());
    return QString::number(value.Numerator()) + u'/' + QString::number(value.Denominator());
}

// "三", "十二", "一百零五": numbers as they are said, to 99 999 999; larger
// ones as digits.
QString ChineseNumber(std::int64_t n)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    if (n < 0)
        return QStringLiteral("负") + ChineseNumber(-n);
    if (n >= 100000000)
        return QString::number(n);
    if (n >= 10000) {
        const std::int64_t low = n % 10000;
        return ChineseNumber(n / 10000) + u'万' + (low == 0 ? QString() : (low < 1000 ? QStringLiteral("零") : QString()) + ChineseNumber(low));
    }
    if (n < 10)
        return digits.at(n);
    static const QString units = QStringLiteral("千百十");
    QString out;
    bool zeroPending = false;
    const std::array<std::int64_t, 3> powers{1000, 100, 10};
    for (std::size_t k = 0; k < powers.size(); ++k) {
        const std::int64_t digit = n / powers[k] % 10;
        if (digit == 0) {
            zeroPending = !out.isEmpty();
            continue;
        }
        if (zeroPending)
            out += u'零';
        zeroPending = false;
        // "十二", not "一十二", when ten leads.
        if (!(k == 2 && digit == 1 && out.isEmpty()))
            out += digits.at(digit);
        out += units.at(static_cast<qsizetype>(k));
    }
    if (n % 10 != 0)
        out += (zeroPending ? QStringLiteral("零") : QString()) + digits.at(n % 10);
    return out;
}

QString SpokenFraction(std::int64_t numerator, std::int64_t denominator)
{
    return ChineseNumber(denominator) + QStringLiteral("分之") + ChineseNumber(numerator);
}

}  // namespace

QString AnswerText(const AnswerValue &value)
{
    switch (value.Kind) {
    case AnswerKind::QuotientRemainder:
        return FractionText(value.Number) + kRemainderMark + QString::number(value.Remainder);
    case AnswerKind::Fraction:
        return FractionText(value.Number);
    case AnswerKind::Whole:
    case AnswerKind::Decimal:
    case AnswerKind::Percent:
        break;
    }
    return DecimalText(value.Number);
}

QString SpokenAnswer(const AnswerValue &value)
{
    switch (value.Kind) {
    case AnswerKind::QuotientRemainder:
        return FractionText(value.Number) + QStringLiteral("余") + QString::number(value.Remainder);
    case AnswerKind::Fraction:
        if (!value.Number.IsWhole())
            return SpokenFraction(value.Number.Numerator(), value.Number.Denominator());
        break;
    case AnswerKind::Whole:
    case AnswerKind::Decimal:
    case AnswerKind::Percent:
        break;
    }
    return DecimalText(value.Number);
}

QString TermText(const Term &term)
{
    switch (term.Form) {
    case NumberForm::Fraction:
        return QString::number(term.WrittenNumerator()) + u'/' + QString::number(term.WrittenDenominator);
    case NumberForm::Percent:
        return DecimalText(ApplyExact(term.Value, Operator::Multiplication, 100).value_or(Exact())) + u'%';
    case NumberForm::Plain:
        break;
    }
    return DecimalText(term.Value);
}

QString SpokenTerm(const Term &term)
{
    switch (term.Form) {
    case NumberForm::Fraction:
        return SpokenFraction(term.WrittenNumerator(), term.WrittenDenominator);
    case NumberForm::Percent: {
        const Exact percent = ApplyExact(term.Value, Operator::Multiplication, 100).value_or(Exact());
        return QStringLiteral("百分之") + (percent.IsWhole() ? ChineseNumber(percent.Numerator()) : DecimalText(percent));
    }
    case NumberForm::Plain:
        break;
    }
    return DecimalText(term.Value);
}

std::optional<AnswerValue> ReadAnswerOfKind(const QString &typed, AnswerKind kind)
{
    if (kind == AnswerKind::Whole) {
        if (const std::optional<std::int32_t> number = ReadWhole(typed))
            return AnswerValue::Whole(*number);
        return std::nullopt;
    }
    const QString text = Normalised(typed);
    switch (kind) {
    case AnswerKind::Whole:
        break;
    case AnswerKind::QuotientRemainder:
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
        break;
    case AnswerKind::Decimal:
    case AnswerKind::Percent: {
        const QStringView number =
            kind == AnswerKind::Percent && text.endsWith(u'%') ? QStringView(text).chopped(1) : QStringView(text);
        if (const std::optional<Exact> value = ReadDecimal(number))
            return AnswerValue{kind, *value, 0};
        break;
    }
    case AnswerKind::Fraction:
        if (const std::optional<TypedFraction> fraction = ReadFraction(text))
            return AnswerValue{kind, fraction->Value, 0};
        break;
    }
    return std::nullopt;
}

std::optional<Verdict> Judge(const QString &typed, const AnswerValue &right, bool lowestTerms)
{
    const std::optional<AnswerValue> value = ReadAnswerOfKind(typed, right.Kind);
    if (!value)
        return std::nullopt;
    if (!(*value == right))
        return Verdict::Wrong;
    if (lowestTerms && right.Kind == AnswerKind::Fraction && !ReadFraction(Normalised(typed))->InLowestTerms)
        return Verdict::NotReduced;
    return Verdict::Right;
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
    switch (kind) {
    case AnswerKind::Whole:
        break;
    case AnswerKind::QuotientRemainder:
        return QStringLiteral("商和余数这样写：7……3");
    case AnswerKind::Decimal:
    case AnswerKind::Percent:
        return QStringLiteral("小数这样写：0.5、3.25");
    case AnswerKind::Fraction:
        return QStringLiteral("分数这样写：3/4，带分数这样写：1 1/6");
    }
    return QString();
}
