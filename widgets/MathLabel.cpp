#include "widgets/MathLabel.h"

#include "widgets/MathText.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

MathLabel::MathLabel(QWidget *parent) : QLabel(parent) {}

int MathLabel::textWidth() const
{
    const MathText math = MathText::Of(text());
    if (!math.HasFraction())
        return fontMetrics().horizontalAdvance(text());
    return static_cast<int>(std::ceil(math.Lay(font(), this).width));
}

void MathLabel::paintEvent(QPaintEvent *event)
{
    const MathText math = MathText::Of(text());
    if (!math.HasFraction()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    math.Draw(painter, QRectF(box), alignment(), font());
}
