#include "arithmetic/ProblemTexts.h"

#include "arithmetic/Problem.h"

#include <QString>
#include <array>
#include <optional>

namespace {

using Signs = std::array<QStringView, 4>;  // + − × ÷

constexpr Signs kRecordSigns{u"+", u"-", u"*", u"/"};
constexpr Signs kPrintedSigns{u" + ", u" - ", u" × ", u" ÷ "};
// On screen the minus is the one the problem row draws, never a hyphen.
constexpr Signs kScreenSigns{u" + ", u" − ", u" × ", u" ÷ "};
constexpr Signs kEquationSigns{u"+", u"−", u"×", u"÷"};
// "8除2" would be two divided by eight.
constexpr Signs kSpokenSigns{u"加", u"减", u"乘", u"除以"};

// The parts as text, with blank standing in the blank term (the term's own
// number when there is none to show).
QString Expression(const Problem &p, const Signs &signs, const std::optional<QString> &blank)
{
    QString out;
    for (const ProblemPart &part : ProblemParts(p)) {
        switch (part.PartKind) {
        case ProblemPart::Kind::Sign:
            out += signs.at(static_cast<std::size_t>(part.Sign) - 1);
            break;
        case ProblemPart::Kind::Open:
            out += QLatin1Char('(');
            break;
        case ProblemPart::Kind::Close:
            out += QLatin1Char(')');
            break;
        case ProblemPart::Kind::Blank:
            out += blank ? *blank : QString::number(part.Number);
            break;
        case ProblemPart::Kind::Number:
            out += QString::number(part.Number);
            break;
        }
    }
    return out;
}

bool BlankInTerm(const Problem &p)
{
    return p.Blank != Problem::BlankAnswer;
}

}  // namespace

QList<ProblemPart> ProblemParts(const Problem &p)
{
    using Kind = ProblemPart::Kind;
    QList<ProblemPart> parts;
    for (int i = 0; i < p.TermCount; ++i) {
        if (i > 0)
            parts.append({Kind::Sign, 0, p.Signs.at(static_cast<std::size_t>(i - 1))});
        if ((i == 0 && p.Group == Brackets::FirstTwo) || (i == 1 && p.Group == Brackets::LastTwo))
            parts.append({Kind::Open});
        parts.append({i == p.Blank ? Kind::Blank : Kind::Number, p.Terms.at(static_cast<std::size_t>(i))});
        if ((i == 1 && p.Group == Brackets::FirstTwo) || (i == 2 && p.Group == Brackets::LastTwo))
            parts.append({Kind::Close});
    }
    return parts;
}

QString RecordLine(const Problem &problem, const QString &typed)
{
    if (BlankInTerm(problem))
        return Expression(problem, kRecordSigns, QLatin1Char('(') + typed + QLatin1Char(')')) + QLatin1Char('=')
            + AnswerText(problem.Result);
    return Expression(problem, kRecordSigns, std::nullopt) + QLatin1Char('=') + typed;
}

QString HistoryText(const Problem &problem)
{
    // The classic form is what the 成长记录 can send back to the 错题本.
    if (const std::optional<ArithProblem> plain = AsArithProblem(problem))
        return QString::number(plain->FirstOperand) + QLatin1StringView(OperatorText(plain->OperatorCode)) +
               QString::number(plain->SecondOperand);
    QString text = PrintedText(problem);
    text.remove(QLatin1Char(' '));
    if (text.endsWith(QLatin1Char('=')))
        text.chop(1);
    return text;
}

QString PrintedText(const Problem &problem)
{
    return Expression(problem, kPrintedSigns, QStringLiteral("□")) + QLatin1Char('=')
        + (BlankInTerm(problem) ? AnswerText(problem.Result) : QString());
}

QString ListedText(const Problem &problem)
{
    return Expression(problem, kScreenSigns, QStringLiteral("□")) + QLatin1Char('=')
        + (BlankInTerm(problem) ? AnswerText(problem.Result) : QString());
}

QString SpokenProblem(const Problem &problem)
{
    return Expression(problem, kSpokenSigns, QStringLiteral("几")) + QStringLiteral("等于")
        + (BlankInTerm(problem) ? SpokenAnswer(problem.Result) : QString());
}

QString EquationText(const Problem &problem)
{
    return Expression(problem, kEquationSigns, std::nullopt) + QLatin1Char('=') + AnswerText(problem.Result);
}

QString SpokenEquation(const Problem &problem)
{
    return Expression(problem, kSpokenSigns, std::nullopt) + QStringLiteral("等于") + SpokenAnswer(problem.Result);
}

namespace {

std::optional<Operator> SignOf(QChar c)
{
    switch (c.unicode()) {
    case u'+':
        return Operator::Addition;
    case u'-':
    case u'−':
        return Operator::Subtraction;
    case u'*':
    case u'×':
        return Operator::Multiplication;
    case u'/':
    case u'÷':
        return Operator::Division;
    default:
        return std::nullopt;
    }
}

// Up to nine digits, so that no sum or product of three can leave 64 bits.
std::optional<std::int64_t> NumberAt(QStringView text, qsizetype &at)
{
    const qsizetype start = at;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9')
        ++at;
    if (at == start || at - start > 9)
        return std::nullopt;
    return text.sliced(start, at - start).toLongLong();
}

bool FitsInt32(std::int64_t value)
{
    return value >= INT32_MIN && value <= INT32_MAX;
}

// a ∘ b checked: nothing for a division by 0, a remainder where none may be
// left, or a result beyond 32 bits.
std::optional<std::int64_t> Checked(std::int64_t a, Operator op, std::int64_t b, bool exact = true)
{
    if (!FitsInt32(a) || !FitsInt32(b) || (op == Operator::Division && (b == 0 || (exact && a % b != 0))))
        return std::nullopt;
    if (const std::optional<std::int32_t> value = Apply(static_cast<std::int32_t>(a), op, static_cast<std::int32_t>(b)))
        return *value;
    return std::nullopt;
}

// The value as Problem::Of works it out, checked at each step.
std::optional<std::int64_t> Evaluate(const std::array<std::int64_t, 3> &t, const std::array<Operator, 2> &s, int count,
                                     Brackets group)
{
    // Only a lone division may leave a remainder.
    if (count == 2)
        return Checked(t[0], s[0], t[1], false);
    const auto binds = [](Operator op) { return op == Operator::Multiplication || op == Operator::Division; };
    const bool lastFirst = group == Brackets::LastTwo || (group == Brackets::None && binds(s[1]) && !binds(s[0]));
    if (lastFirst) {
        const std::optional<std::int64_t> right = Checked(t[1], s[1], t[2]);
        return right ? Checked(t[0], s[0], *right) : std::nullopt;
    }
    const std::optional<std::int64_t> left = Checked(t[0], s[0], t[1]);
    return left ? Checked(*left, s[1], t[2]) : std::nullopt;
}

}  // namespace

std::optional<Problem> ProblemOfText(QStringView written)
{
    QString text;
    for (const QChar c : written) {
        if (!c.isSpace())
            text += c;
    }
    std::array<std::int64_t, 3> terms{};
    std::array<Operator, 2> signs{Operator::Addition, Operator::Addition};
    int count = 0;
    int blank = Problem::BlankAnswer;
    Brackets group = Brackets::None;
    bool open = false;
    qsizetype at = 0;
    for (;;) {
        if (count == 3 || at >= text.size())
            return std::nullopt;
        if (text[at] == u'(' && !text.sliced(at).startsWith(u"()")) {
            if (open || group != Brackets::None || count == 2)
                return std::nullopt;
            group = count == 0 ? Brackets::FirstTwo : Brackets::LastTwo;
            open = true;
            ++at;
        }
        if (text.sliced(at).startsWith(u"()") || text[at] == u'□') {
            if (blank != Problem::BlankAnswer)
                return std::nullopt;
            blank = count;
            at += text[at] == u'□' ? 1 : 2;
        } else {
            const std::optional<std::int64_t> term = NumberAt(text, at);
            if (!term)
                return std::nullopt;
            terms[static_cast<std::size_t>(count)] = *term;
        }
        ++count;
        if (at < text.size() && text[at] == u')') {
            // A pair holds exactly two terms.
            if (!open || (group == Brackets::FirstTwo ? count != 2 : count != 3))
                return std::nullopt;
            open = false;
            ++at;
        }
        if (at >= text.size() || text[at] == u'=')
            break;
        const std::optional<Operator> sign = SignOf(text[at]);
        if (!sign || count == 3)
            return std::nullopt;
        signs[static_cast<std::size_t>(count - 1)] = *sign;
        ++at;
    }
    if (count < 2 || open)
        return std::nullopt;
    std::optional<std::int64_t> result;
    if (at < text.size()) {
        ++at;  // "="
        if (at < text.size()) {
            result = NumberAt(text, at);
            if (!result || at != text.size())
                return std::nullopt;
        }
    }
    if ((blank != Problem::BlankAnswer) != result.has_value())
        return std::nullopt;
    if (blank != Problem::BlankAnswer) {
        // The blank's value is the one that makes the equation hold; only
        // two terms ever have a blank.
        if (count != 2)
            return std::nullopt;
        const std::size_t other = blank == 0 ? 1 : 0;
        const std::int64_t known = terms[other];
        std::optional<std::int64_t> value;
        switch (signs[0]) {
        case Operator::Addition:
            value = *result - known;
            break;
        case Operator::Subtraction:
            value = blank == 0 ? *result + known : known - *result;
            break;
        case Operator::Multiplication:
            if (known != 0 && *result % known == 0)
                value = *result / known;
            break;
        case Operator::Division:
            if (blank == 0)
                value = *result * known;
            else if (*result != 0 && known % *result == 0)
                value = known / *result;
            break;
        }
        if (!value || *value < 0)
            return std::nullopt;
        terms[static_cast<std::size_t>(blank)] = *value;
    }
    for (const std::int64_t term : terms) {
        if (!FitsInt32(term))
            return std::nullopt;
    }
    const std::optional<std::int64_t> value = Evaluate(terms, signs, count, group);
    if (!value || (result && *value != *result))
        return std::nullopt;
    const auto term = [&terms](int k) { return static_cast<std::int32_t>(terms[static_cast<std::size_t>(k)]); };
    Problem problem = count == 2 ? Problem::Of(term(0), signs[0], term(1))
                                 : Problem::Of(term(0), signs[0], term(1), signs[1], term(2), group);
    if (blank != Problem::BlankAnswer)
        return problem.WithBlank(blank);
    if (count == 2 && signs[0] == Operator::Division && terms[0] % terms[1] != 0)
        problem.Result = AnswerValue::WithRemainder(term(0) / term(1), term(0) % term(1));
    return problem;
}
