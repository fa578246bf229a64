#include "widgets/PictureBox.h"

#include "widgets/Pictures.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const QString &resourcePath, Fit fit, QSize pictureSize)
{
    setPixmap(Pictures::Render(resourcePath, fit == Fit::Stretch ? size() : pictureSize), fit);
}

void PictureBox::setPixmap(const QPixmap &pixmap, Fit fit)
{
    pixmap_ = pixmap;
    fit_ = fit;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (pixmap_.isNull())
        return;
    QPainter painter(this);
    if (fit_ == Fit::Stretch && pixmap_.size() != size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (fit_ == Fit::Stretch)
        painter.drawPixmap(rect(), pixmap_);
    else
        painter.drawPixmap(0, 0, pixmap_);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position().toPoint());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position().toPoint());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event->button(), event->position().toPoint());
}
