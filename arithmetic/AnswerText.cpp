#include "arithmetic/AnswerText.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/Term.h"

#include <QRegularExpression>
#include <QString>

std::optional<std::int32_t> ReadAnswer(const QString &text)
{
    if (const std::optional<AnswerValue> value = ReadAnswerOfKind(text, AnswerKind::Whole))
        return value->Number.Numerator();
    return std::nullopt;
}

bool PassesAnswerFilter(QChar typed, AnswerKind kind)
{
    const char16_t c = typed.unicode();
    if (c == u'\b' || c == u'\r' || (c >= u'0' && c <= u'9'))
        return true;
    const bool point = c == u'.' || c == u'．';
    switch (kind) {
    case AnswerKind::Whole:
    case AnswerKind::QuotientRemainder:
        break;
    case AnswerKind::Decimal:
        return point || (c >= u'０' && c <= u'９');
    case AnswerKind::Percent:
        return point || c == u'%' || c == u'％' || (c >= u'０' && c <= u'９');
    case AnswerKind::Fraction:
        return c == u'/' || c == u'／' || c == u' ' || c == u'\u3000' || (c >= u'０' && c <= u'９');
    }
    return false;
}

TypedKey FilterTypedKey(QChar typed, AnswerKind kind, bool takingAnswers, const std::function<void()> &check)
{
    if (!PassesAnswerFilter(typed, kind))
        return TypedKey::Swallowed;
    if (typed != u'\r')
        return TypedKey::ToAnswerBox;
    if (takingAnswers)
        check();
    return TypedKey::Swallowed;
}

QString AfterKeypadDigit(const QString &text, int digit)
{
    if (text != QLatin1String("0"))
        return text + QString::number(digit);
    return QString::number(digit);
}

QString AfterRemainderKey(const QString &text)
{
    if (text.isEmpty() || text.contains(QStringLiteral("……")))
        return text;
    return text + QStringLiteral("……");
}

QString AfterPointKey(const QString &text)
{
    if (text.contains(u'.'))
        return text;
    return text + u'.';
}

QString WholePartBeforeFraction(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch() ? text : QString();
}

QString NotReducedText()
{
    return QStringLiteral("要约分");
}

QString SpokenTypedFraction(const QString &text)
{
    static const QRegularExpression fraction(QStringLiteral("^(?:([0-9]+) )?([0-9]+)/([0-9]+)$"));
    const QRegularExpressionMatch match = fraction.match(text);
    if (!match.hasMatch())
        return text;
    bool numeratorRead = false;
    bool denominatorRead = false;
    const int numerator = match.captured(2).toInt(&numeratorRead);
    const int denominator = match.captured(3).toInt(&denominatorRead);
    const std::optional<Term> term =
        numeratorRead && denominatorRead ? Term::Fraction(numerator, denominator) : std::nullopt;
    if (!term)
        return text;
    const QString whole = match.captured(1);
    return (whole.isEmpty() ? QString() : whole + u'又') + SpokenTerm(*term);
}

QString RecordLine(const ArithProblem &problem, const QString &answer)
{
    return RecordLine(Problem::From(problem), answer);
}
