#include "arithmetic/AnswerText.h"

#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/ProblemTexts.h"

#include <QString>

std::optional<std::int32_t> ReadAnswer(const QString &text)
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

bool PassesAnswerFilter(QChar typed)
{
    const char16_t c = typed.unicode();
    return c == u'\b' || c == u'\r' || (c >= u'0' && c <= u'9');
}

TypedKey FilterTypedKey(QChar typed, bool takingAnswers, const std::function<void()> &check)
{
    if (!PassesAnswerFilter(typed))
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

QString RecordLine(const ArithProblem &problem, const QString &answer)
{
    return RecordLine(Problem::From(problem), answer);
}
