#include "widgets/Fonts.h"

#include <QFont>
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
    QFont font;
    font.setFamilies(SansFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace Fonts
