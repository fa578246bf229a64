#include "widgets/BevelPanel.h"

#include <QPainter>

BevelPanel::BevelPanel(QWidget *parent) : QWidget(parent), color_(Qt::white) {}

void BevelPanel::setColor(const QColor &color)
{
    color_ = color;
    update();
}

void BevelPanel::setBevels(Bevel outer, Bevel inner, int width)
{
    outer_ = outer;
    inner_ = inner;
    bevelWidth_ = width;
    update();
}

void BevelPanel::setSingleBorder(bool on)
{
    singleBorder_ = on;
    update();
}

// Draws one bevel along the edge of area and shrinks area to what is left
// inside it. Its light and dark sides are shades of the panel's own colour.
void BevelPanel::paintBevel(QPainter &painter, QRect &area, Bevel bevel) const
{
    if (bevel == Bevel::None)
        return;
    const QColor light = color_.lightness() > 200 ? QColor(255, 255, 255) : color_.lighter(160);
    const QColor dark = color_.lightness() > 200 ? QColor(160, 160, 160) : color_.darker(170);
    const QColor &topLeft = bevel == Bevel::Raised ? light : dark;
    const QColor &bottomRight = bevel == Bevel::Raised ? dark : light;
    for (int i = 0; i < bevelWidth_; ++i) {
        const QRect r = area.adjusted(0, 0, -1, -1);
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        area.adjust(1, 1, -1, -1);
    }
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    QRect area = rect();
    if (singleBorder_) {
        painter.setPen(QColor(64, 64, 64));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    paintBevel(painter, area, outer_);
    paintBevel(painter, area, inner_);
}
