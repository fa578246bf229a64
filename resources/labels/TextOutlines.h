#pragma once

#include <QString>
#include <QStringList>

// Turns the <text> elements of an SVG into <path> elements holding the
// outlines of their glyphs, so the art looks the same whichever fonts the
// system's locale prefers. Only the text elements change; the rest of the
// file is kept character for character.
namespace TextOutlines {

struct Result {
    QString svg;
    QString error;  // empty when every text was outlined
};

// families are those of the one font file the outlines are taken from (see
// QFontDatabase::applicationFontFamilies): each text is set in the first of
// its font-family names that is among them, at its font-size (user units),
// font-weight and font-style, placed by x, y and text-anchor. Texts with
// child elements, a family or face the file lacks, a character its face
// lacks, or a size or place given other than as a plain number are refused.
Result Outline(const QString &svg, const QStringList &families);

}  // namespace TextOutlines
