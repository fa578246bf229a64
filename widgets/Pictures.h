#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

class QString;

namespace Pictures {

// An SVG picture of the resources drawn for a screen: size is in logical
// pixels, and the pixmap holds size × devicePixelRatio device pixels, so the
// art is drawn at the screen's own resolution and never enlarged. Pictures
// already drawn at that size and ratio come from Qt's pixmap cache, so a
// hundred marks of a paper share one rendering; a picture the build drew
// ahead (PredrawnPath) is only copied.
QPixmap Render(const QString &resourcePath, QSize size, qreal devicePixelRatio);

// Draws an SVG picture, a resource or a file, afresh.
QImage Draw(const QString &svgPath, QSize size, qreal devicePixelRatio);

// The resource ":/predrawn/menu/background.svg@792x545@2" under which the
// build keeps the resource ":/menu/background.svg" drawn ahead at that size
// and ratio (an empty path for a picture that is not a resource): Draw()'s pixels, premultiplied ARGB in the machine's order.
// The menu's pictures are drawn ahead at ratios 1 and 2, so that its first
// paint draws no SVG.
QString PredrawnPath(const QString &resourcePath, QSize size, qreal devicePixelRatio);

}  // namespace Pictures
