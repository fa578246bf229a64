#pragma once

#include <QtGlobal>

class QCursor;
class QWidget;

// The program's pen cursor: a pen laid diagonally, its tip (the hot spot) at
// the top-left corner, 32 × 32 logical pixels drawn for a screen of the given
// pixel ratio. The system shows a cursor picture pixel for pixel, so each
// ratio needs its own.
const QCursor &PenCursor(qreal devicePixelRatio);

// Gives the control the pen cursor for its screen, and again whenever its
// window moves to another screen.
void GivePenCursor(QWidget *control);
