// Rewrites an SVG template with its <text> labels as glyph outlines taken
// from the label font file: outline_labels TEMPLATE OUTPUT
#include "TextOutlines.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: outline_labels TEMPLATE.svg.in OUTPUT.svg\n");
        return 2;
    }
    const QString fontFile = QStringLiteral(LABEL_FONT_FILE);
    const QString &templatePath = args.at(1);
    const QString &outputPath = args.at(2);

    const int font = QFontDatabase::addApplicationFont(fontFile);
    if (font < 0) {
        std::fprintf(stderr, "outline_labels: cannot load the font file %s\n", qPrintable(fontFile));
        return 1;
    }
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "outline_labels: cannot read %s: %s\n", qPrintable(templatePath),
                     qPrintable(in.errorString()));
        return 1;
    }
    const TextOutlines::Result result =
        TextOutlines::Outline(QString::fromUtf8(in.readAll()), QFontDatabase::applicationFontFamilies(font));
    if (!result.error.isEmpty()) {
        std::fprintf(stderr, "outline_labels: %s: %s\n", qPrintable(templatePath), qPrintable(result.error));
        return 1;
    }
    QSaveFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(result.svg.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "outline_labels: cannot write %s: %s\n", qPrintable(outputPath),
                     qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
