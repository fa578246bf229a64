#include "widgets/Shape.h"

#include "widgets/AccessiblePicture.h"

#include <QPainter>

Shape::Shape(QWidget *parent) : QWidget(parent)
{
    AccessiblePicture::Install();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setPen(const QPen &pen)
{
    pen_ = pen;
    update();
}

void Shape::setBrush(const QBrush &brush)
{
    brush_ = brush;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen_);
    painter.setBrush(brush_);
    const qreal inset = pen_.style() == Qt::NoPen ? 0.0 : pen_.widthF() / 2.0 + 0.5;
    painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
