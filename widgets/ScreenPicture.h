#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// A picture of the resources kept drawn for the screen it is shown on. A
// control asks for it at paint time with its own size and pixel ratio; it is
// drawn again only when either has changed, so a window that moves to a
// screen of another ratio gets art made for that screen.
class ScreenPicture {
public:
    void SetResource(const QString &resourcePath);
    const QString &Resource() const { return resourcePath_; }
    bool IsNull() const { return resourcePath_.isEmpty(); }

    // size is in logical pixels.
    const QPixmap &Pixmap(QSize size, qreal devicePixelRatio);

private:
    QString resourcePath_;
    QSize drawnSize_;
    QPixmap drawn_;
};
