#include "TextOutlines.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QTransform>
#include <QXmlStreamReader>
#include <vector>

namespace TextOutlines {
namespace {

// The properties a text takes from itself or from the groups around it.
const QStringList kFontProperties = {QStringLiteral("font-family"), QStringLiteral("font-size"),
                                     QStringLiteral("font-weight"), QStringLiteral("font-style"),
                                     QStringLiteral("text-anchor")};

// Glyphs are outlined this large and then scaled down, so the outlines keep
// the face's own shapes and advances whatever the text's size.
constexpr int kOutlinePixels = 1000;

using Properties = QHash<QString, QString>;

QString Number(qreal value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString PathData(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (i > 0)
                parts << QStringLiteral("Z");
            parts << QStringLiteral("M%1 %2").arg(Number(e.x), Number(e.y));
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(Number(e.x), Number(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(Number(e.x), Number(e.y), Number(c2.x), Number(c2.y), Number(end.x), Number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    if (!parts.isEmpty())
        parts << QStringLiteral("Z");
    return parts.join(QLatin1Char(' '));
}

struct Face {
    QFont font;
    QString error;
};

Face FaceFor(const Properties &properties, const QStringList &families)
{
    const QStringList asked = properties.value(QStringLiteral("font-family")).split(QLatin1Char(','));
    QString family;
    for (const QString &name : asked) {
        const QString bare = name.trimmed().remove(QLatin1Char('\'')).remove(QLatin1Char('"'));
        if (families.contains(bare)) {
            family = bare;
            break;
        }
    }
    if (family.isEmpty())
        return {{}, QStringLiteral("none of the families \"%1\" is in the font file (it has %2)")
                        .arg(asked.join(QLatin1Char(',')), families.join(QStringLiteral(", ")))};

    QFont font(family);
    font.setPixelSize(kOutlinePixels);
    const QString weight = properties.value(QStringLiteral("font-weight"), QStringLiteral("normal"));
    font.setWeight(weight == QLatin1String("bold") ? QFont::Bold
                   : weight == QLatin1String("normal") ? QFont::Normal
                                                        : QFont::Weight(weight.toInt()));
    font.setItalic(properties.value(QStringLiteral("font-style")) == QLatin1String("italic"));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    font.setKerning(true);
    const QFontInfo found(font);
    if (found.family() != family || found.weight() != font.weight() || found.italic() != font.italic())
        return {{}, QStringLiteral("the font file has no %1 face of weight %2").arg(family, weight)};
    return {font, {}};
}

struct Outlined {
    QString element;
    QString error;
};

Outlined OutlineText(const Properties &properties, const QXmlStreamAttributes &own, const QString &text,
                     const QStringList &families)
{
    const Face face = FaceFor(properties, families);
    if (!face.error.isEmpty())
        return {{}, face.error};
    const QRawFont raw = QRawFont::fromFont(face.font);
    for (const uint ch : text.toUcs4()) {
        if (!raw.supportsCharacter(ch))
            return {{}, QStringLiteral("the face lacks the character U+%1").arg(ch, 4, 16, QLatin1Char('0'))};
    }

    bool sizeRead = false;
    bool xRead = false;
    bool yRead = false;
    const qreal size = properties.value(QStringLiteral("font-size")).toDouble(&sizeRead);
    const qreal x = own.value(QLatin1String("x")).toDouble(&xRead);
    const qreal y = own.value(QLatin1String("y")).toDouble(&yRead);
    if (!sizeRead || size <= 0 || !xRead || !yRead)
        return {{}, QStringLiteral("font-size, x and y must be plain numbers of user units")};
    const qreal scale = size / kOutlinePixels;

    QPainterPath glyphs;
    glyphs.addText(QPointF(0, 0), face.font, text);
    const qreal advance = QFontMetricsF(face.font).horizontalAdvance(text) * scale;
    const QString anchor = properties.value(QStringLiteral("text-anchor"), QStringLiteral("start"));
    const qreal left = anchor == QLatin1String("middle") ? x - advance / 2
                       : anchor == QLatin1String("end")  ? x - advance
                                                         : x;
    const QPainterPath placed = QTransform(scale, 0, 0, scale, left, y).map(glyphs);

    QString element = QStringLiteral("<path");
    for (const QXmlStreamAttribute &attribute : own) {
        const QString name = attribute.qualifiedName().toString();
        if (name == QLatin1String("x") || name == QLatin1String("y") || kFontProperties.contains(name))
            continue;
        element += QStringLiteral(" %1=\"%2\"").arg(name, attribute.value().toString().toHtmlEscaped());
    }
    element += QStringLiteral(" d=\"%1\"/>").arg(PathData(placed));
    return {element, {}};
}

}  // namespace

Result Outline(const QString &svg, const QStringList &families)
{
    struct Replacement {
        qint64 from;
        qint64 to;
        QString element;
    };
    std::vector<Replacement> replacements;
    std::vector<Properties> inherited{{}};

    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            Properties properties = inherited.back();
            for (const QString &name : kFontProperties) {
                if (reader.attributes().hasAttribute(name))
                    properties.insert(name, reader.attributes().value(name).toString());
            }
            if (reader.name() == QLatin1String("text")) {
                // The reader's offsets may run a character ahead of a token,
                // so the element is found by its own tags.
                const qint64 from = svg.lastIndexOf(QLatin1String("<text"), reader.characterOffset());
                const QXmlStreamAttributes own = reader.attributes();
                const qint64 line = reader.lineNumber();
                const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).simplified();
                if (reader.hasError() || text.isEmpty())
                    return {{}, QStringLiteral("line %1: a text must hold characters and nothing else").arg(line)};
                const Outlined outlined = OutlineText(properties, own, text, families);
                if (!outlined.error.isEmpty())
                    return {{}, QStringLiteral("line %1 (\"%2\"): %3").arg(line).arg(text, outlined.error)};
                const QLatin1String closing("</text>");
                replacements.push_back({from, svg.indexOf(closing, from) + closing.size(), outlined.element});
            } else {
                inherited.push_back(properties);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            inherited.pop_back();
        }
    }
    if (reader.hasError())
        return {{}, QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString())};

    QString out = svg;
    for (auto it = replacements.rbegin(); it != replacements.rend(); ++it)
        out.replace(it->from, it->to - it->from, it->element);
    return {out, {}};
}

}  // namespace TextOutlines
