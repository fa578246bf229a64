#include "widgets/FlatButton.h"

#include "widgets/OutlinedText.h"
#include "widgets/Palette.h"

#include <QPainter>

FlatButton::FlatButton(QWidget *parent) : QAbstractButton(parent), captionColor_(Palette::Black)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void FlatButton::setPicture(const QString &resourcePath, QSize pictureSize)
{
    picture_.SetResource(resourcePath);
    pictureSize_ = pictureSize;
    update();
}

void FlatButton::setCaptionColor(const QColor &color)
{
    captionColor_ = color;
    update();
}

void FlatButton::setCaptionOutlined(bool outlined)
{
    captionOutlined_ = outlined;
    update();
}

void FlatButton::setCaptionInArt(bool inArt)
{
    captionInArt_ = inArt;
    update();
}

void FlatButton::setRaised(bool raised)
{
    raised_ = raised;
    update();
}

void FlatButton::setSelectionFrame(bool framed)
{
    selectionFrame_ = framed;
    update();
}

QSize FlatButton::sizeHint() const
{
    return {75, 25};
}

void FlatButton::enterEvent(QEnterEvent *event)
{
    update();
    QAbstractButton::enterEvent(event);
}

void FlatButton::leaveEvent(QEvent *event)
{
    update();
    QAbstractButton::leaveEvent(event);
}

void FlatButton::paintFrame(QPainter &painter) const
{
    const bool hovered = underMouse() && isEnabled();
    if (selectionFrame_ && isChecked()) {
        const int w = SelectionFrameWidth;
        painter.setPen(QPen(palette().color(QPalette::Highlight), w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
        return;
    }
    if (raised_) {
        painter.fillRect(rect(), hovered ? Palette::HoverFace : Palette::White);
        painter.setPen(Palette::FrameShadow);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // A checked button (the chosen one of a group) stays sunken.
    const bool sunken = isDown() || isChecked();
    if (!sunken && !hovered && !raised_)
        return;
    const QRect r = rect().adjusted(raised_ ? 1 : 0, raised_ ? 1 : 0, raised_ ? -2 : -1, raised_ ? -2 : -1);
    painter.setPen(sunken ? Palette::FrameShadow : Palette::FrameLight);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunken ? Palette::FrameLight : Palette::FrameShadow);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintFrame(painter);

    // Picture and caption are centred together, the picture on the left;
    // a held button shifts its content by one pixel, as if pressed in.
    const QString caption = captionInArt_ ? QString() : text();
    const bool hasPicture = !picture_.IsNull();
    const QSize pictureSize = hasPicture ? pictureSize_ : QSize(0, 0);
    const int gap = (hasPicture && !caption.isEmpty()) ? 4 : 0;
    const QFontMetrics metrics(font());
    const int textWidth = caption.isEmpty() ? 0 : metrics.horizontalAdvance(caption);
    const int contentWidth = pictureSize.width() + gap + textWidth;
    const int shift = isDown() ? 1 : 0;
    int x = (width() - contentWidth) / 2 + shift;

    if (!isEnabled())
        painter.setOpacity(0.45);
    if (hasPicture) {
        painter.drawPixmap(x, (height() - pictureSize.height()) / 2 + shift,
                           picture_.Pixmap(pictureSize, devicePixelRatioF()));
        x += pictureSize.width() + gap;
    }
    if (!caption.isEmpty() && captionOutlined_ && isEnabled()) {
        const int baseline = (height() - metrics.height()) / 2 + metrics.ascent() + shift;
        OutlinedText::Draw(painter, QPointF(x, baseline), font(), caption, captionColor_);
    } else if (!caption.isEmpty()) {
        painter.setFont(font());
        painter.setPen(isEnabled() ? captionColor_ : Palette::FrameShadow);
        painter.drawText(QRect(x, shift, textWidth + 1, height()), Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
}
