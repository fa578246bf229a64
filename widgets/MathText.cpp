#include "widgets/MathText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

// A numerator or denominator is set smaller, so that the two of them stand
// not much taller than a line of the text around them.
constexpr qreal kFractionScale = 0.66;

QFont FractionFont(const QFont &font)
{
    QFont smaller = font;
    if (font.pixelSize() > 0)
        smaller.setPixelSize(std::max(1, qRound(font.pixelSize() * kFractionScale)));
    else
        smaller.setPointSizeF(font.pointSizeF() * kFractionScale);
    return smaller;
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digits ending just before end.
qsizetype DigitsBefore(const QString &text, qsizetype end)
{
    qsizetype start = end;
    while (start > 0 && IsDigit(text.at(start - 1)))
        --start;
    return start;
}

qsizetype DigitsAfter(const QString &text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && IsDigit(text.at(end)))
        ++end;
    return end;
}

}  // namespace

MathText MathText::Of(const QString &text)
{
    MathText math;
    qsizetype runStart = 0;
    for (qsizetype slash = text.indexOf(u'/'); slash >= 0; slash = text.indexOf(u'/', slash + 1)) {
        const qsizetype numeratorStart = DigitsBefore(text, slash);
        const qsizetype denominatorEnd = DigitsAfter(text, slash + 1);
        // A decimal's digits ("0.5/2") are no numerator.
        if (numeratorStart == slash || denominatorEnd == slash + 1 || numeratorStart < runStart
            || (numeratorStart > 0 && text.at(numeratorStart - 1) == u'.'))
            continue;
        qsizetype partStart = numeratorStart;
        QString whole;
        if (numeratorStart >= 2 && text.at(numeratorStart - 1) == u' ') {
            const qsizetype wholeStart = DigitsBefore(text, numeratorStart - 1);
            if (wholeStart < numeratorStart - 1 && wholeStart >= runStart
                && (wholeStart == 0 || !(IsDigit(text.at(wholeStart - 1)) || text.at(wholeStart - 1) == u'.'))) {
                whole = text.sliced(wholeStart, numeratorStart - 1 - wholeStart);
                partStart = wholeStart;
            }
        }
        if (partStart > runStart)
            math.parts_.append({text.sliced(runStart, partStart - runStart)});
        math.parts_.append({whole, text.sliced(numeratorStart, slash - numeratorStart),
                            text.sliced(slash + 1, denominatorEnd - slash - 1)});
        runStart = denominatorEnd;
        slash = denominatorEnd - 1;
    }
    if (runStart < text.size())
        math.parts_.append({text.sliced(runStart)});
    return math;
}

bool MathText::HasFraction() const
{
    return std::any_of(parts_.begin(), parts_.end(), [](const Part &part) { return part.IsFraction(); });
}

MathText::Layout MathText::Lay(const QFont &font, const QPaintDevice *device) const
{
    // QFontMetricsF takes a device it never changes, but only as non-const.
    auto *target = const_cast<QPaintDevice *>(device);
    const QFontMetricsF metrics = target ? QFontMetricsF(font, target) : QFontMetricsF(font);
    const QFont smallFont = FractionFont(font);
    const QFontMetricsF small = target ? QFontMetricsF(smallFont, target) : QFontMetricsF(smallFont);
    // The bar lies where a minus sign does, across the middle of the digits.
    const qreal axis = -metrics.capHeight() / 2;
    const qreal digits = small.capHeight();
    const qreal thickness = std::max<qreal>(1, metrics.height() / 18);
    const qreal gap = std::max<qreal>(1, digits * 0.3);
    const qreal overhang = std::max<qreal>(1, digits * 0.25);  // the bar reaches a little past the digits

    Layout layout;
    layout.ascent = metrics.ascent();
    layout.descent = metrics.descent();
    qreal x = 0;
    for (const Part &part : parts_) {
        if (!part.text.isEmpty()) {
            const qreal width = metrics.horizontalAdvance(part.text);
            layout.texts.append({part.text, QPointF(x, 0), width, false});
            x += width;
            if (part.IsFraction())
                x += overhang;  // a mixed number's whole part stands clear of its bar
        }
        if (!part.IsFraction())
            continue;
        const qreal over = small.horizontalAdvance(part.numerator);
        const qreal under = small.horizontalAdvance(part.denominator);
        const qreal bar = std::max(over, under) + 2 * overhang;
        const qreal top = axis - thickness / 2;
        layout.bars.append(QRectF(x, top, bar, thickness));
        layout.texts.append({part.numerator, QPointF(x + (bar - over) / 2, top - gap), over, true});
        layout.texts.append({part.denominator, QPointF(x + (bar - under) / 2, top + thickness + gap + digits), under,
                             true});
        layout.ascent = std::max(layout.ascent, -(top - gap - digits) + gap / 2);
        layout.descent = std::max(layout.descent, top + thickness + gap + digits + gap / 2);
        x += bar;
    }
    layout.width = x;
    return layout;
}

void MathText::Draw(QPainter &painter, const QPointF &baseline, const QFont &font) const
{
    const Layout layout = Lay(font, painter.device());
    const QFont smallFont = FractionFont(font);
    const QBrush ink = painter.pen().brush();
    for (const Placed &placed : layout.texts) {
        painter.setFont(placed.small ? smallFont : font);
        painter.drawText(baseline + placed.baseline, placed.text);
    }
    for (const QRectF &bar : layout.bars)
        painter.fillRect(bar.translated(baseline), ink);
    painter.setFont(font);
}

void MathText::Draw(QPainter &painter, const QRectF &box, Qt::Alignment alignment, const QFont &font) const
{
    if (!HasFraction()) {
        QString text;
        for (const Part &part : parts_)
            text += part.text;
        painter.setFont(font);
        painter.drawText(box, static_cast<int>(alignment) | Qt::TextSingleLine, text);
        return;
    }
    const Layout layout = Lay(font, painter.device());
    qreal x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() - layout.width;
    else if (alignment & Qt::AlignHCenter)
        x = box.left() + (box.width() - layout.width) / 2;
    qreal y = box.top() + layout.ascent;
    if (alignment & Qt::AlignBottom)
        y = box.bottom() - layout.descent;
    else if (alignment & Qt::AlignVCenter)
        y = box.top() + (box.height() + layout.ascent - layout.descent) / 2;
    Draw(painter, QPointF(x, y), font);
}
