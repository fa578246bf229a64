#include "widgets/PrintFace.h"

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <map>
#include <optional>
#include <utility>

namespace {

constexpr char32_t kRadicalsFirst = 0x2E80;  // CJK Radicals Supplement, then Kangxi Radicals
constexpr char32_t kRadicalsLast = 0x2FDF;
constexpr char32_t kLastCovered = 0x2FFFF;    // the ideographs of plane 2 too
const QString kCopyFamily = QStringLiteral("Numbrook Print Sans");

// The tables a face may hold besides its character map and names, kept as
// they are: outlines, metrics, shaping and vertical forms.
const char *const kKeptTables[] = {"BASE", "CFF ", "CFF2", "GDEF", "GPOS", "GSUB", "OS/2", "VORG", "cvt ", "fpgm",
                                   "gasp", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "post", "prep", "vhea",
                                   "vmtx"};

void Append16(QByteArray &data, quint16 value)
{
    const quint16 big = qToBigEndian(value);
    data.append(reinterpret_cast<const char *>(&big), sizeof big);
}

void Append32(QByteArray &data, quint32 value)
{
    const quint32 big = qToBigEndian(value);
    data.append(reinterpret_cast<const char *>(&big), sizeof big);
}

bool IsRadical(char32_t code)
{
    return code >= kRadicalsFirst && code <= kRadicalsLast;
}

// Every character the face maps, with its glyph, in code order.
QList<std::pair<char32_t, quint32>> CharacterMap(const QRawFont &face)
{
    QList<char32_t> codes;
    QString text;
    for (char32_t code = 1; code <= kLastCovered; ++code) {
        if (QChar::isSurrogate(code))
            continue;
        codes.append(code);
        text.append(QChar::fromUcs4(code));
    }
    // Room for a glyph per UTF-16 unit, as the font engine asks.
    QList<quint32> glyphs(text.size());
    int glyphCount = static_cast<int>(glyphs.size());
    QList<std::pair<char32_t, quint32>> map;
    if (!face.glyphIndexesForChars(text.constData(), static_cast<int>(text.size()), glyphs.data(), &glyphCount) ||
        glyphCount != codes.size())
        return map;
    for (qsizetype k = 0; k < codes.size(); ++k) {
        if (glyphs.at(k) != 0)
            map.append({codes.at(k), glyphs.at(k)});
    }
    return map;
}

// A character map of one Unicode subtable (format 12) over map without the
// radicals.
QByteArray CmapWithoutRadicals(const QList<std::pair<char32_t, quint32>> &map)
{
    struct Group {
        char32_t first;
        char32_t last;
        quint32 glyph;
    };
    QList<Group> groups;
    for (const auto &[code, glyph] : map) {
        if (IsRadical(code))
            continue;
        if (!groups.isEmpty() && groups.last().last + 1 == code &&
            groups.last().glyph + (code - groups.last().first) == glyph)
            groups.last().last = code;
        else
            groups.append({code, code, glyph});
    }
    QByteArray table;
    Append16(table, 0);   // version
    Append16(table, 1);   // one subtable
    // Unicode platform, all planes: a Windows-platform map alone would have
    // FreeType add one of its own from the glyph names of a CFF face.
    Append16(table, 0);
    Append16(table, 4);
    Append32(table, 12);  // its offset
    Append16(table, 12);  // format
    Append16(table, 0);
    Append32(table, static_cast<quint32>(16 + 12 * groups.size()));
    Append32(table, 0);   // any language
    Append32(table, static_cast<quint32>(groups.size()));
    for (const Group &group : std::as_const(groups)) {
        Append32(table, group.first);
        Append32(table, group.last);
        Append32(table, group.glyph);
    }
    return table;
}

// The copy's names, so that it never stands in for the face it copies.
QByteArray Names(bool bold)
{
    const QString style = bold ? QStringLiteral("Bold") : QStringLiteral("Regular");
    const std::pair<quint16, QString> names[] = {
        {1, kCopyFamily},
        {2, style},
        {4, kCopyFamily + u' ' + style},
        {6, QString(kCopyFamily).remove(u' ') + u'-' + style},
    };
    QByteArray strings;
    QByteArray table;
    Append16(table, 0);
    Append16(table, static_cast<quint16>(std::size(names)));
    Append16(table, static_cast<quint16>(6 + 12 * std::size(names)));
    for (const auto &[id, text] : names) {
        QByteArray utf16;
        for (const QChar c : text)
            Append16(utf16, c.unicode());
        Append16(table, 3);       // Windows
        Append16(table, 1);       // Unicode BMP
        Append16(table, 0x0409);  // the language names are always given in
        Append16(table, id);
        Append16(table, static_cast<quint16>(utf16.size()));
        Append16(table, static_cast<quint16>(strings.size()));
        strings += utf16;
    }
    return table + strings;
}

quint32 Checksum(const QByteArray &table)
{
    QByteArray padded = table;
    padded.append((4 - padded.size() % 4) % 4, '\0');
    quint32 sum = 0;
    for (qsizetype at = 0; at < padded.size(); at += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + at);
    return sum;
}

// An OpenType font of tables, in the order the format asks for.
QByteArray FontOf(const std::map<QByteArray, QByteArray> &tables)
{
    const auto count = static_cast<quint16>(tables.size());
    quint16 power = 1;
    quint16 log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    QByteArray font;
    Append32(font, tables.count("CFF ") || tables.count("CFF2") ? 0x4F54544F /* OTTO */ : 0x00010000);
    Append16(font, count);
    Append16(font, static_cast<quint16>(power * 16));
    Append16(font, log);
    Append16(font, static_cast<quint16>(count * 16 - power * 16));
    quint32 offset = 12 + 16 * count;
    for (const auto &[tag, data] : tables) {
        font += tag;
        Append32(font, Checksum(data));
        Append32(font, offset);
        Append32(font, static_cast<quint32>(data.size()));
        offset += static_cast<quint32>((data.size() + 3) / 4 * 4);
    }
    for (const auto &[tag, data] : tables) {
        font += data;
        font.append((4 - data.size() % 4) % 4, '\0');
    }
    return font;
}

bool MapsRadicals(const QRawFont &face)
{
    return face.supportsCharacter(U'\u2F1D') || face.supportsCharacter(U'\u2ED3');
}

// Registers the copy of the face that families resolve to; false when there
// was nothing to copy.
bool AddCopy(const QStringList &families, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(32);
    font.setBold(bold);
    const QRawFont face = QRawFont::fromFont(font);
    if (!face.isValid() || !MapsRadicals(face))
        return false;
    const QByteArray os2 = face.fontTable("OS/2");
    // Without a bold face of its own bold is drawn from the regular copy.
    if (bold && (os2.size() < 6 || qFromBigEndian<quint16>(os2.constData() + 4) < QFont::DemiBold))
        return false;
    std::map<QByteArray, QByteArray> tables;
    for (const char *tag : kKeptTables) {
        QByteArray data = face.fontTable(tag);
        if (!data.isEmpty())
            tables.emplace(QByteArray(tag), std::move(data));
    }
    const QList<std::pair<char32_t, quint32>> map = CharacterMap(face);
    if (map.isEmpty() || !tables.count("head") || !tables.count("maxp"))
        return false;
    tables.emplace(QByteArray("cmap"), CmapWithoutRadicals(map));
    tables.emplace(QByteArray("name"), Names(bold));
    return QFontDatabase::addApplicationFontFromData(FontOf(tables)) >= 0;
}

}  // namespace

namespace PrintFace {

QStringList Families(const QStringList &families)
{
    if (!AddCopy(families, false))
        return families;
    AddCopy(families, true);
    return QStringList{kCopyFamily} + families;
}

}  // namespace PrintFace
