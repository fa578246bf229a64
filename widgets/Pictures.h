#pragma once

#include <QPixmap>
#include <QSize>

class QString;

namespace Pictures {

// A picture of the resources drawn for a screen: size is in logical pixels,
// and the pixmap holds size × devicePixelRatio device pixels, so SVG art is
// drawn at the screen's own resolution and never enlarged; bitmaps are
// scaled. Pictures already drawn at that size and ratio come from Qt's
// pixmap cache, so a hundred marks of a paper share one rendering.
QPixmap Render(const QString &resourcePath, QSize size, qreal devicePixelRatio);

}  // namespace Pictures
