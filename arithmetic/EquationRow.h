#pragma once

#include "widgets/EquationPiece.h"

#include <QList>

struct Problem;

// A problem as the drill's row shows it: the pieces before the blank, the
// answer box, the pieces after it. The box is wide where it takes the
// answer (a remainder needs room) and narrow in a term.
struct EquationRow {
    QList<EquationPiece> before;
    QList<EquationPiece> after;
    bool wideBlank = true;
};

EquationRow EquationRowOf(const Problem &problem);
