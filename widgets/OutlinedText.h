#pragma once

#include <QColor>

class QFont;
class QPainter;
class QPointF;
class QString;

// Text in its colour with a dark outline round each glyph, so a light or
// bright colour still stands out from the art behind it.
namespace OutlinedText {

inline const QColor Outline{24, 24, 40};

// The outline shows a sixteenth of the type's size round each glyph, at
// least 2.5 pixels.
void Draw(QPainter &painter, const QPointF &baseline, const QFont &font, const QString &text, const QColor &fill);

}  // namespace OutlinedText
