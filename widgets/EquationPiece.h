#pragma once

#include <QString>

// One piece of a problem row: text (a number, a bracket) or a sign drawn as
// the drill's sign pictures.
struct EquationPiece {
    enum class Sign { None = -1, Plus, Minus, Times, Divide, Equals };
    QString text;
    Sign sign = Sign::None;
};
