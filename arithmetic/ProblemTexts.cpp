#include "arithmetic/ProblemTexts.h"

#include "arithmetic/Problem.h"

#include <QString>
#include <array>
#include <optional>

namespace {

using Signs = std::array<QStringView, 4>;  // + − × ÷

constexpr Signs kRecordSigns{u"+", u"-", u"*", u"/"};
constexpr Signs kPrintedSigns{u" + ", u" - ", u" × ", u" ÷ "};
constexpr Signs kEquationSigns{u"+", u"-", u"×", u"÷"};
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

QString PrintedText(const Problem &problem)
{
    return Expression(problem, kPrintedSigns, QStringLiteral("□")) + QLatin1Char('=')
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
