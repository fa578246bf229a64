#pragma once

#include <QPixmap>
#include <QSize>

class QString;

namespace Pictures {

// A picture of the resources drawn at exactly the given size; SVG art is
// rendered at that size so it stays crisp, and bitmaps are scaled.
QPixmap Render(const QString &resourcePath, QSize size);

}  // namespace Pictures
