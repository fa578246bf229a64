#pragma once

class QCursor;

// The program's pen cursor: a pen laid diagonally, its tip (the hot spot) at
// the top-left corner.
const QCursor &PenCursor();
