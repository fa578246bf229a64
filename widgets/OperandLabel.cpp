#include "widgets/OperandLabel.h"

#include "widgets/Fonts.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// 10000, the widest operand, fits its box a few pixels below the full 64;
// the floor only stops a runaway for text that is no operand.
constexpr int kSmallestPixels = 40;

}  // namespace

OperandLabel::OperandLabel(QWidget *parent) : QLabel(parent) {}

void OperandLabel::setDigitsMiddle(int y)
{
    digitsMiddle_ = y;
    update();
}

void OperandLabel::paintEvent(QPaintEvent *)
{
    if (text().isEmpty())
        return;
    // The line is that of the full-size face, so a number set smaller
    // still stands on it.
    const int baseline = digitsMiddle_ + QFontMetrics(font()).capHeight() / 2;
    const QFont face = Fonts::FittedTo(font(), text(), width(), kSmallestPixels);
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(face);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText((width() - QFontMetrics(face).horizontalAdvance(text())) / 2, baseline, text());
}
