// Draws pictures of the art ahead for the build, exactly as the program
// would draw them, into files named as the program looks for them:
//
//   predraw_pictures ART_FOLDER OUT_FOLDER PICTURE@WIDTHxHEIGHT...
//
// draws ART_FOLDER/PICTURE (an SVG file, e.g. menu/background.svg) at that
// logical size at device pixel ratios 1 and 2.
#include "widgets/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: predraw_pictures ART_FOLDER OUT_FOLDER PICTURE@WIDTHxHEIGHT...\n");
        return 2;
    }
    const QString art = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    static const QRegularExpression kPictureAtSize(QStringLiteral("^(.+\\.svg)@(\\d+)x(\\d+)$"));
    for (int i = 3; i < argc; ++i) {
        const QRegularExpressionMatch request = kPictureAtSize.match(QString::fromLocal8Bit(argv[i]));
        if (!request.hasMatch()) {
            std::fprintf(stderr, "predraw_pictures: %s is not PICTURE@WIDTHxHEIGHT\n", argv[i]);
            return 2;
        }
        const QString picture = request.captured(1);
        const QSize size(request.captured(2).toInt(), request.captured(3).toInt());
        if (!QSvgRenderer(art + QLatin1Char('/') + picture).isValid()) {
            std::fprintf(stderr, "predraw_pictures: %s/%s is not a valid SVG picture\n", argv[1], qPrintable(picture));
            return 1;
        }
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage image = Pictures::Draw(art + QLatin1Char('/') + picture, size, ratio);
            const QString name =
                out + Pictures::PredrawnPath(QStringLiteral(":/") + picture, size, ratio).sliced(QStringLiteral(":/predrawn").size());
            QFile file(name);
            if (!QDir().mkpath(QFileInfo(name).path()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) != image.sizeInBytes() ||
                !file.flush()) {
                std::fprintf(stderr, "predraw_pictures: cannot write %s: %s\n", qPrintable(name),
                             qPrintable(file.errorString()));
                return 1;
            }
        }
    }
    return 0;
}
