#include "widgets/ScreenPicture.h"

#include "widgets/Pictures.h"

void ScreenPicture::SetResource(const QString &resourcePath)
{
    if (resourcePath == resourcePath_)
        return;
    resourcePath_ = resourcePath;
    drawn_ = QPixmap();
}

const QPixmap &ScreenPicture::Pixmap(QSize size, qreal devicePixelRatio)
{
    if (drawn_.isNull() || size != drawnSize_ || drawn_.devicePixelRatio() != devicePixelRatio) {
        drawn_ = Pictures::Render(resourcePath_, size, devicePixelRatio);
        drawnSize_ = size;
    }
    return drawn_;
}
