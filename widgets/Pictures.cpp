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
    const QSize pixels = DeviceSize(size, devicePixelRatio);
    const qsizetype bytes = qsizetype(pixels.width()) * pixels.height() * 4;
    if (resource.compressionAlgorithm() == QResource::NoCompression) {
        // Painted straight from the program's file as the system maps it in:
        // a copy would cost as many fresh pages of memory.
        if (resource.size() != bytes || reinterpret_cast<quintptr>(resource.data()) % alignof(quint32) != 0)
            return {};
        QImage image(resource.data(), pixels.width(), pixels.height(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(devicePixelRatio);
        return image;
    }
    // The image keeps the unpacked bytes as its own, for the same reason.
    auto *bits = new QByteArray(resource.uncompressedData());
    if (bits->size() != bytes) {
        delete bits;
        return {};
    }
    QImage image(reinterpret_cast<uchar *>(bits->data()), pixels.width(), pixels.height(),
                 QImage::Format_ARGB32_Premultiplied, [](void *unpacked) { delete static_cast<QByteArray *>(unpacked); },
                 bits);
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
    // Only the program's own pictures are drawn ahead.
    if (!resourcePath.startsWith(QStringLiteral(":/")))
        return {};
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
