#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QFont;
class QPaintDevice;
class QPainter;

// A problem or an answer as it is drawn: runs of text and stacked
// fractions, the numerator over a bar over the denominator, a mixed
// number's whole part before them. Everything is drawn from the font's
// outlines and a filled bar, so it is sharp at any scale and on paper.
class MathText {
public:
    struct Part {
        QString text;         // a run, or a mixed number's whole part
        QString numerator;    // with a denominator, a stacked fraction
        QString denominator;
        bool IsFraction() const { return !denominator.isEmpty(); }
    };

    // One piece of text placed by Lay, its baseline's left end.
    struct Placed {
        QString text;
        QPointF baseline;
        qreal width = 0;
        bool small = false;  // a numerator or denominator, in the smaller face
    };

    // Where everything goes, the line's baseline at y = 0 and its left end
    // at x = 0; ascent and descent are how far it reaches above and below.
    struct Layout {
        QList<Placed> texts;
        QList<QRectF> bars;
        qreal width = 0;
        qreal ascent = 0;
        qreal descent = 0;
    };

    // A written line: "3/4 ÷ 3=", "1 1/6", "0.25", "25%". Digits on both
    // sides of a "/" are a fraction, and a number a space before one its
    // whole part. Only texts whose "/" is a bar come here: every text a
    // problem or an answer shows on screen or on paper writes division "÷".
    static MathText Of(const QString &text);

    const QList<Part> &Parts() const { return parts_; }
    bool HasFraction() const;

    // Laid out in font, measured as on device (the screen when none).
    Layout Lay(const QFont &font, const QPaintDevice *device = nullptr) const;

    // In the painter's pen colour, the baseline's left end at baseline.
    void Draw(QPainter &painter, const QPointF &baseline, const QFont &font) const;
    // Within box, as a one-line text of that alignment would stand there;
    // fractions stand round the middle of the line.
    void Draw(QPainter &painter, const QRectF &box, Qt::Alignment alignment, const QFont &font) const;

private:
    QList<Part> parts_;
};
