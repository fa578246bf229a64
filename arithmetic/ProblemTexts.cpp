#include "arithmetic/ProblemTexts.h"

#include "arithmetic/Problem.h"

#include <QString>
#include <algorithm>
#include <array>
#include <optional>

namespace {

using Signs = std::array<QStringView, 4>;  // + − × ÷

constexpr Signs kRecordSigns{u"+", u"-", u"*", u"/"};
// Where "/" is a fraction's bar.
constexpr Signs kFractionRecordSigns{u"+", u"-", u"×", u"÷"};
constexpr Signs kPrintedSigns{u" + ", u" - ", u" × ", u" ÷ "};
// On screen the minus is the one the problem row draws, never a hyphen.
constexpr Signs kScreenSigns{u" + ", u" − ", u" × ", u" ÷ "};
constexpr Signs kEquationSigns{u"+", u"−", u"×", u"÷"};
// "8除2" would be two divided by eight.
constexpr Signs kSpokenSigns{u"加", u"减", u"乘", u"除以"};

// The parts as text, with blank standing in the blank term (the term's own
// number when there is none to show).
QString Expression(const Problem &p, const Signs &signs, const std::optional<QString> &blank,
                   QString (*number)(const Term &) = TermText)
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
            out += blank ? *blank : number(part.Number);
            break;
        case ProblemPart::Kind::Number:
            out += number(part.Number);
            break;
        }
    }
    return out;
}

bool BlankInTerm(const Problem &p)
{
    return p.Blank != Problem::BlankAnswer;
}

const Signs &RecordSigns(const Problem &p)
{
    const bool bars = std::any_of(p.Terms.begin(), p.Terms.begin() + p.TermCount,
                                  [](const Term &t) { return t.Form != NumberForm::Plain; });
    return bars ? kFractionRecordSigns : kRecordSigns;
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
        return Expression(problem, RecordSigns(problem), QLatin1Char('(') + typed + QLatin1Char(')'))
            + QLatin1Char('=') + AnswerText(problem.Result);
    return Expression(problem, RecordSigns(problem), std::nullopt) + QLatin1Char('=') + typed;
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
    return Expression(problem, kSpokenSigns, QStringLiteral("几"), SpokenTerm) + QStringLiteral("等于")
        + (BlankInTerm(problem) ? SpokenAnswer(problem.Result) : QString());
}

QString EquationText(const Problem &problem)
{
    return Expression(problem, kEquationSigns, std::nullopt) + QLatin1Char('=') + AnswerText(problem.Result);
}

QString SpokenEquation(const Problem &problem)
{
    return Expression(problem, kSpokenSigns, std::nullopt, SpokenTerm) + QStringLiteral("等于")
        + SpokenAnswer(problem.Result);
}

namespace {

std::optional<Operator> SignOf(QChar c, bool slashIsBar)
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
        if (slashIsBar)
            return std::nullopt;
        return Operator::Division;
    case u'÷':
        return Operator::Division;
    default:
        return std::nullopt;
    }
}

// Up to nine digits, so that no sum or product of three can leave 64 bits.
std::optional<std::int64_t> DigitsAt(QStringView text, qsizetype &at)
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

// A term as written: "12", "0.25", "25%", and where "/" is a bar "3/8".
std::optional<Term> TermAt(QStringView text, qsizetype &at, bool slashIsBar)
{
    const std::optional<std::int64_t> whole = DigitsAt(text, at);
    if (!whole || !FitsInt32(*whole))
        return std::nullopt;
    Term term(static_cast<std::int32_t>(*whole));
    if (at < text.size() && text[at] == u'.') {
        const qsizetype start = ++at;
        const std::optional<std::int64_t> places = DigitsAt(text, at);
        if (!places)
            return std::nullopt;
        std::int64_t power = 1;
        for (qsizetype k = start; k < at; ++k)
            power *= 10;
        const std::optional<Exact> value = Exact::Fraction(*whole * power + *places, power);
        if (!value)
            return std::nullopt;
        term.Value = *value;
    } else if (slashIsBar && at < text.size() && text[at] == u'/') {
        ++at;
        const std::optional<std::int64_t> denominator = DigitsAt(text, at);
        const std::optional<Term> fraction =
            denominator && FitsInt32(*denominator)
            ? Term::Fraction(static_cast<std::int32_t>(*whole), static_cast<std::int32_t>(*denominator))
            : std::nullopt;
        if (!fraction)
            return std::nullopt;
        term = *fraction;
    }
    if (at < text.size() && text[at] == u'%') {
        ++at;
        const std::optional<Exact> value = ApplyExact(term.Value, Operator::Division, 100);
        if (!value || term.Form != NumberForm::Plain)
            return std::nullopt;
        term.Value = *value;
        term.Form = NumberForm::Percent;
    }
    return term;
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

// The value of whole terms as Problem::Of works it out, checked at each
// step: only a lone division may leave a remainder.
std::optional<std::int64_t> Evaluate(const std::array<std::int64_t, 3> &t, const std::array<Operator, 2> &s, int count,
                                     Brackets group)
{
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

bool PowerOfTen(std::int64_t n)
{
    if (n < 10)
        return false;
    while (n % 10 == 0)
        n /= 10;
    return n == 1;
}

// The problem of a line without spaces, "/" read as division or as a bar.
std::optional<Problem> ReadProblem(QStringView text, bool slashIsBar)
{
    std::array<Term, 3> terms{};
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
            const std::optional<Term> term = TermAt(text, at, slashIsBar);
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
        const std::optional<Operator> sign = SignOf(text[at], slashIsBar);
        if (!sign || count == 3)
            return std::nullopt;
        signs[static_cast<std::size_t>(count - 1)] = *sign;
        ++at;
    }
    if (count < 2 || open)
        return std::nullopt;
    std::optional<Term> result;
    if (at < text.size()) {
        ++at;  // "="
        if (at < text.size()) {
            result = TermAt(text, at, slashIsBar);
            if (!result || at != text.size())
                return std::nullopt;
        }
    }
    if ((blank != Problem::BlankAnswer) != result.has_value())
        return std::nullopt;
    const bool whole = std::all_of(terms.begin(), terms.end(), [](const Term &t) { return t.Whole().has_value(); })
        && (!result || result->Whole());
    if (!whole) {
        // Only the presets of whole numbers have blanks.
        if (blank != Problem::BlankAnswer)
            return std::nullopt;
        const Problem problem = count == 2 ? Problem::Of(terms[0], signs[0], terms[1])
                                           : Problem::Of(terms[0], signs[0], terms[1], signs[1], terms[2], group);
        if (!problem.Value())
            return std::nullopt;
        return problem;
    }
    std::array<std::int64_t, 3> wholes{};
    for (std::size_t k = 0; k < wholes.size(); ++k)
        wholes[k] = *terms[k].Whole();
    if (blank != Problem::BlankAnswer) {
        // The blank's value is the one that makes the equation hold; only
        // two terms ever have a blank.
        if (count != 2)
            return std::nullopt;
        const std::int64_t r = *result->Whole();
        const std::size_t other = blank == 0 ? 1 : 0;
        const std::int64_t known = wholes[other];
        std::optional<std::int64_t> value;
        switch (signs[0]) {
        case Operator::Addition:
            value = r - known;
            break;
        case Operator::Subtraction:
            value = blank == 0 ? r + known : known - r;
            break;
        case Operator::Multiplication:
            if (known != 0 && r % known == 0)
                value = r / known;
            break;
        case Operator::Division:
            if (blank == 0)
                value = r * known;
            else if (r != 0 && known % r == 0)
                value = known / r;
            break;
        }
        if (!value || *value < 0)
            return std::nullopt;
        wholes[static_cast<std::size_t>(blank)] = *value;
    }
    for (const std::int64_t term : wholes) {
        if (!FitsInt32(term))
            return std::nullopt;
    }
    const std::optional<std::int64_t> value = Evaluate(wholes, signs, count, group);
    if (!value || (result && *value != *result->Whole()))
        return std::nullopt;
    const auto term = [&wholes](int k) { return static_cast<std::int32_t>(wholes[static_cast<std::size_t>(k)]); };
    Problem problem = count == 2 ? Problem::Of(term(0), signs[0], term(1))
                                 : Problem::Of(term(0), signs[0], term(1), signs[1], term(2), group);
    if (blank != Problem::BlankAnswer)
        return problem.WithBlank(blank);
    if (count == 2 && signs[0] == Operator::Division && wholes[0] % wholes[1] != 0 && !PowerOfTen(wholes[1]))
        problem.Result = AnswerValue::WithRemainder(term(0) / term(1), term(0) % term(1));
    return problem;
}

}  // namespace

std::optional<Problem> ProblemOfText(QStringView written)
{
    QString text;
    for (const QChar c : written) {
        if (!c.isSpace())
            text += c;
    }
    const bool slash = text.contains(u'/');
    // Fraction lines write their own × and ÷, so a "/" beside them is a bar.
    const bool barsCertain = slash && (text.contains(u'×') || text.contains(u'÷'));
    if (!barsCertain) {
        if (std::optional<Problem> problem = ReadProblem(text, false))
            return problem;
    }
    return slash ? ReadProblem(text, true) : std::nullopt;
}
