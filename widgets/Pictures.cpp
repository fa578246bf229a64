#include "widgets/Pictures.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace Pictures {

QPixmap Render(const QString &resourcePath, QSize size)
{
    if (!resourcePath.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return QPixmap(resourcePath).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

}  // namespace Pictures
