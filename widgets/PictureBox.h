#pragma once

#include "widgets/ScreenPicture.h"

#include <QWidget>

// A picture control. It either stretches its picture over the whole control
// or draws it at its own size in the top-left corner (an icon in a larger
// box), drawn for the screen the control is on; where there is no picture
// it is transparent. Mouse buttons and moves are passed on as signals with
// the pointer's position in the control.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    enum class Fit { Stretch, TopLeft };

    explicit PictureBox(QWidget *parent = nullptr);

    // pictureSize is used for Fit::TopLeft; a stretched picture takes the
    // control's size.
    void setPicture(const QString &resourcePath, Fit fit = Fit::Stretch, QSize pictureSize = {});
    const QString &picture() const { return picture_.Resource(); }

signals:
    void mousePressed(Qt::MouseButton button, QPoint position);
    void mouseMoved(QPoint position);
    void mouseReleased(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ScreenPicture picture_;
    Fit fit_ = Fit::Stretch;
    QSize pictureSize_;
};
