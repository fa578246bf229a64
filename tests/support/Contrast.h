#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

// How well painted text stands out, measured from its rendered pixels as the
// accessibility guidelines define contrast: (L1 + 0.05) / (L2 + 0.05).
namespace Contrast {

inline double Luminance(const QColor &color)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) + 0.0722 * channel(color.blue());
}

inline double Ratio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text's edge against what surrounds it. The background
// is the picture's commonest colour; the edge is every pixel of the text
// within two pixels of the background, which is where the eye tells the
// glyph's shape. The median of the edge's contrasts is returned.
inline double TextEdge(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    const QColor back(background);
    const auto isBackground = [&](int x, int y) {
        const QColor c(image.pixel(x, y));
        return std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) + std::abs(c.blue() - back.blue()) < 24;
    };
    std::vector<double> edge;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            if (isBackground(x, y))
                continue;
            bool nearBackground = false;
            for (int dy = -2; dy <= 2 && !nearBackground; ++dy)
                for (int dx = -2; dx <= 2 && !nearBackground; ++dx)
                    nearBackground = isBackground(x + dx, y + dy);
            if (nearBackground)
                edge.push_back(Ratio(QColor(image.pixel(x, y)), back));
        }
    }
    if (edge.empty())
        return 1.0;
    std::nth_element(edge.begin(), edge.begin() + edge.size() / 2, edge.end());
    return edge[edge.size() / 2];
}

}  // namespace Contrast
