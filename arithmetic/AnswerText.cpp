#include "arithmetic/AnswerText.h"

#include "arithmetic/AnswerValue.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemGenerator.h"
#include "arithmetic/ProblemTexts.h"

#include <QString>

std::optional<std::int32_t> ReadAnswer(const QString &text)
{
    if (const std::optional<AnswerValue> value = ReadAnswerOfKind(text, AnswerKind::Whole))
        return value->Number.Numerator();
    return std::nullopt;
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

QString AfterRemainderKey(const QString &text)
{
    if (text.isEmpty() || text.contains(QStringLiteral("……")))
        return text;
    return text + QStringLiteral("……");
}

QString RecordLine(const ArithProblem &problem, const QString &answer)
{
    return RecordLine(Problem::From(problem), answer);
}
