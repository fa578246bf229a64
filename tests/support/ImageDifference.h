#pragma once

#include <QImage>
#include <algorithm>
#include <cstdlib>

// How many pixels of two images of one size differ by more than tolerance
// in some channel (0 to 255), alpha included.
inline int PixelsDiffering(const QImage &a, const QImage &b, int tolerance)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            const int worst = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            count += worst > tolerance ? 1 : 0;
        }
    }
    return count;
}
