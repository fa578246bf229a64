#pragma once

#include <QPixmap>
#include <QSize>

class QString;

namespace Pictures {

// An SVG picture of the resources drawn for a screen: size is in logical
// pixels, and the pixmap holds size × devicePixelRatio device pixels, so the
// art is drawn at the screen's own resolution and never enlarged. Pictures
// already drawn at that size and ratio come from Qt's pixmap cache, so a
// hundred marks of a paper share one rendering.
QPixmap Render(const QString &resourcePath, QSize size, qreal devicePixelRatio);

}  // namespace Pictures
