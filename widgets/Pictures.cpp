#include "widgets/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
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

QString SizeAndRatio(QSize size, qreal devicePixelRatio)
{
    return QStringLiteral("@%1x%2@%3").arg(size.width()).arg(size.height()).arg(devicePixelRatio);
}

// The build's drawing of the picture, or a null image when it has none.
QImage Predrawn(const QString &resourcePath, QSize size, qreal devicePixelRatio)
{
    const QResource resource(PredrawnPath(resourcePath, size, devicePixelRatio));
    if (!resource.isValid())
        return {};
    // The image keeps the uncompressed bytes as its own: a copy would touch
    // as many fresh pages again.
    auto *bits = new QByteArray(resource.uncompressedData());
    const QSize pixels = DeviceSize(size, devicePixelRatio);
    if (bits->size() != qsizetype(pixels.width()) * pixels.height() * 4) {
        delete bits;
        return {};
    }
    QImage image(reinterpret_cast<uchar *>(bits->data()), pixels.width(), pixels.height(),
                 QImage::Format_ARGB32_Premultiplied, [](void *bytes) { delete static_cast<QByteArray *>(bytes); }, bits);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

}  // namespace

QImage Draw(const QString &svgPath, QSize size, qreal devicePixelRatio)
{
    QImage image(DeviceSize(size, devicePixelRatio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svgPath);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QString PredrawnPath(const QString &resourcePath, QSize size, qreal devicePixelRatio)
{
    return QStringLiteral(":/predrawn/") + resourcePath.sliced(2) + SizeAndRatio(size, devicePixelRatio);
}

QPixmap Render(const QString &resourcePath, QSize size, qreal devicePixelRatio)
{
    const QString key = resourcePath + SizeAndRatio(size, devicePixelRatio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QImage image = Predrawn(resourcePath, size, devicePixelRatio);
        if (image.isNull())
            image = Draw(resourcePath, size, devicePixelRatio);
        pixmap = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

}  // namespace Pictures
