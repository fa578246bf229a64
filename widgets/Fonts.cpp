#include "widgets/Fonts.h"

#include "widgets/PrintFace.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

namespace Fonts {
namespace {

QFont Face(const QStringList &families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QStringList SansFamilies()
{
    return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")};
}

}  // namespace

QFont SongTi(int pixelSize, bool bold)
{
    return Face({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC")},
                pixelSize, bold);
}

QFont LiShu(int pixelSize, bool bold)
{
    return Face({QStringLiteral("隶书"), QStringLiteral("LiSu"), QStringLiteral("AR PL UKai CN"),
                 QStringLiteral("Noto Serif CJK SC")},
                pixelSize, bold);
}

QFont KaiTi(int pixelSize, bool bold)
{
    return Face({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN"),
                 QStringLiteral("Noto Serif CJK SC")},
                pixelSize, bold);
}

QFont Ui(int pixelSize, bool bold)
{
    return Face(SansFamilies(), pixelSize, bold);
}

QFont Print(double pointSize, bool bold)
{
    static const QStringList families = PrintFace::Families(SansFamilies());
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont FittedTo(QFont font, const QString &text, int width, int smallestPixels)
{
    while (font.pixelSize() > smallestPixels && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

}  // namespace Fonts
