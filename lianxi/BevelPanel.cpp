#include "lianxi/BevelPanel.h"

#include <QPainter>

namespace {

// Light on the top and left edges and dark on the others looks raised; the
// reverse looks sunk in.
void PaintBevel(QPainter &painter, QRect area, int width, const QColor &topLeft, const QColor &bottomRight)
{
    for (int i = 0; i < width; ++i) {
        const QRect r = area.adjusted(i, i, -i - 1, -i - 1);
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

}  // namespace

BevelPanel::BevelPanel(const QColor &fill, int outerWidth, int innerWidth, QWidget *parent)
    : QWidget(parent), fill_(fill), outerWidth_(outerWidth), innerWidth_(innerWidth)
{
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    const QColor light = fill_.lighter(125);
    const QColor dark = fill_.darker(160);
    PaintBevel(painter, rect(), outerWidth_, light, dark);
    const int inset = outerWidth_;
    PaintBevel(painter, rect().adjusted(inset, inset, -inset, -inset), innerWidth_, dark, light);
}
