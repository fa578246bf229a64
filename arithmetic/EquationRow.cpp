#include "arithmetic/EquationRow.h"

#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"

EquationRow EquationRowOf(const Problem &problem)
{
    using Kind = ProblemPart::Kind;
    EquationRow row;
    QList<EquationPiece> *side = &row.before;
    for (const ProblemPart &part : ProblemParts(problem)) {
        switch (part.PartKind) {
        case Kind::Number:
            side->append({TermText(part.Number)});
            break;
        case Kind::Sign:
            side->append({QString(), static_cast<EquationPiece::Sign>(static_cast<int>(part.Sign) - 1)});
            break;
        case Kind::Open:
            side->append({QStringLiteral("(")});
            break;
        case Kind::Close:
            side->append({QStringLiteral(")")});
            break;
        case Kind::Blank:
            row.wideBlank = false;
            side = &row.after;
            break;
        }
    }
    side->append({QString(), EquationPiece::Sign::Equals});
    if (!row.wideBlank)
        side->append({AnswerText(problem.Result)});
    return row;
}
