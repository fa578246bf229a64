#include "widgets/PictureBox.h"

#include "widgets/AccessiblePicture.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    AccessiblePicture::Install();
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const QString &resourcePath, Fit fit, QSize pictureSize)
{
    picture_.SetResource(resourcePath);
    fit_ = fit;
    pictureSize_ = pictureSize;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (picture_.IsNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_.Pixmap(fit_ == Fit::Stretch ? size() : pictureSize_, devicePixelRatioF()));
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
