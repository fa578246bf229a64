#include "widgets/OutlinedText.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>

namespace OutlinedText {

void Draw(QPainter &painter, const QPointF &baseline, const QFont &font, const QString &text, const QColor &fill)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    const double width = std::max(5.0, font.pixelSize() / 8.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Stroked first and filled over, so only the stroke's outer half shows
    // and the glyph keeps its weight.
    painter.strokePath(path, QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, fill);
    painter.restore();
}

}  // namespace OutlinedText
