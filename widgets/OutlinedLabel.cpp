#include "widgets/OutlinedLabel.h"

#include "widgets/OutlinedText.h"

#include <QPainter>
#include <QStyle>

OutlinedLabel::OutlinedLabel(QWidget *parent) : QLabel(parent) {}

void OutlinedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetricsF metrics(font());
    const QRect inside = contentsRect();
    const QRect line = QStyle::alignedRect(layoutDirection(), alignment(),
                                           QSize(qCeil(metrics.horizontalAdvance(text())), qCeil(metrics.height())),
                                           inside);
    OutlinedText::Draw(painter, QPointF(line.left(), line.top() + metrics.ascent()), font(), text(),
                       palette().color(QPalette::WindowText));
}
