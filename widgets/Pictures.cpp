#include "widgets/Pictures.h"

#include <QPainter>
#include <QPixmapCache>
#include <QString>
#include <QSvgRenderer>
#include <cmath>

namespace Pictures {
namespace {

// Whole device pixels covering the logical size; at a fractional ratio the
// last row and column are partly covered.
QSize DeviceSize(QSize size, qreal devicePixelRatio)
{
    return {static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
            static_cast<int>(std::ceil(size.height() * devicePixelRatio))};
}

QPixmap Draw(const QString &resourcePath, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(DeviceSize(size, devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

}  // namespace

QPixmap Render(const QString &resourcePath, QSize size, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("%1@%2x%3@%4")
                            .arg(resourcePath)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = Draw(resourcePath, size, devicePixelRatio);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

}  // namespace Pictures
