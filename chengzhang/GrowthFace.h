#pragma once

#include "widgets/Fonts.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

// The face of the 成长记录 drawings: the screen's, or on paper the printing
// face, whose text reads back from a PDF as it was written.
inline QFont GrowthFace(const QPainter &painter, qreal pixels, bool bold = false)
{
    QFont font = dynamic_cast<const QPagedPaintDevice *>(painter.device()) ? Fonts::Print(12, bold) : Fonts::Ui(12, bold);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}
