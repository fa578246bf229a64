#include "widgets/MathLineEdit.h"

#include "widgets/MathText.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

MathLineEdit::MathLineEdit(QWidget *parent) : QLineEdit(parent) {}

bool MathLineEdit::ShowsStacked() const
{
    return !hasFocus() && MathText::Of(text()).HasFraction();
}

void MathLineEdit::paintEvent(QPaintEvent *event)
{
    if (!ShowsStacked()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(palette().color(QPalette::Text));
    const QRect box = style()->subElementRect(QStyle::SE_LineEditContents, &frame, this);
    MathText::Of(text()).Draw(painter, QRectF(box), alignment(), font());
}
