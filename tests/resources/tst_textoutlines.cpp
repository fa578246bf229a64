// The labels of the art as glyph outlines: the same picture as the text they
// replace, and the committed art made from its templates as they stand.
#include "labels/TextOutlines.h"
#include "support/ImageDifference.h"

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>

namespace {

QString ReadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<%1: %2>").arg(path, file.errorString());
    return QString::fromUtf8(file.readAll());
}

QImage Draw(const QString &svg, qreal scale)
{
    QSvgRenderer renderer(svg.toUtf8());
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// An eighth of a channel's range.
constexpr int kTolerance = 32;

const QString kSourceDir = QStringLiteral(NUMBROOK_SOURCE_DIR "/");

}  // namespace

class tst_TextOutlines : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void committedArtIsMadeFromItsTemplate_data() { AddArtRows(); }
    void committedArtIsMadeFromItsTemplate();
    void outlinesCoverWhatTheTextCovered_data() { AddArtRows(); }
    void outlinesCoverWhatTheTextCovered();
    void refusesWhatItCannotOutline_data();
    void refusesWhatItCannotOutline();

private:
    static void AddArtRows();

    QStringList families_;
};

void tst_TextOutlines::initTestCase()
{
    const int font = QFontDatabase::addApplicationFont(QStringLiteral(LABEL_FONT_FILE));
    QVERIFY2(font >= 0, LABEL_FONT_FILE);
    families_ = QFontDatabase::applicationFontFamilies(font);
    QVERIFY(families_.contains(QStringLiteral("Noto Sans CJK SC")));
}

void tst_TextOutlines::AddArtRows()
{
    QTest::addColumn<QString>("art");
    QTest::newRow("menu") << QStringLiteral("resources/menu/background");
    QTest::newRow("drill") << QStringLiteral("resources/drill/background");
    QTest::newRow("notebook") << QStringLiteral("resources/notebook/background");
}

void tst_TextOutlines::committedArtIsMadeFromItsTemplate()
{
    QFETCH(QString, art);
    const TextOutlines::Result made = TextOutlines::Outline(ReadText(kSourceDir + art + ".svg.in"), families_);
    QCOMPARE(made.error, QString());
    QVERIFY2(made.svg == ReadText(kSourceDir + art + ".svg"),
             "the committed art is out of date: run ./scripts/outline-labels");
    QVERIFY(!made.svg.contains(QLatin1String("<text")));
}

// The template asks for a family that is installed, so Qt's SVG renderer
// sets its text in the same face: the outlines must fall where the glyphs
// did, at the same size, weight and colour.
void tst_TextOutlines::outlinesCoverWhatTheTextCovered()
{
    QFETCH(QString, art);
    const QString source = ReadText(kSourceDir + art + ".svg.in");
    const TextOutlines::Result made = TextOutlines::Outline(source, families_);
    QCOMPARE(made.error, QString());
    const QImage asText = Draw(source, 2);
    const QImage asOutlines = Draw(made.svg, 2);
    QCOMPARE(asOutlines.size(), asText.size());
    const int differing = PixelsDiffering(asText, asOutlines, kTolerance);
    QVERIFY2(differing * 10000 < asText.width() * asText.height(),
             qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(asText.width() * asText.height())));
    // Without its labels the picture is clearly different, so the measure
    // can tell.
    QString unlabelled = source;
    unlabelled.replace(QRegularExpression(QStringLiteral("<text[^>]*>[^<]*</text>")), QString());
    QVERIFY(PixelsDiffering(asText, Draw(unlabelled, 2), kTolerance) > 10 * std::max(differing, 100));
}

void tst_TextOutlines::refusesWhatItCannotOutline_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("complaint");
    const QString ok = QStringLiteral("font-family='Noto Sans CJK SC' font-weight='bold' font-size='20'");
    QTest::newRow("a family the file lacks")
        << QStringLiteral("<text x='1' y='20' font-family='DejaVu Sans' font-size='20'>开始</text>")
        << QStringLiteral("none of the families");
    QTest::newRow("a character the face lacks")
        << QStringLiteral("<text x='1' y='20' %1>开始😀</text>").arg(ok)
        << QStringLiteral("lacks the character U+1f600");
    QTest::newRow("a span inside")
        << QStringLiteral("<text x='1' y='20' %1>开<tspan>始</tspan></text>").arg(ok)
        << QStringLiteral("characters and nothing else");
    QTest::newRow("no characters") << QStringLiteral("<text x='1' y='20' %1/>").arg(ok)
                                   << QStringLiteral("characters and nothing else");
    QTest::newRow("a size with a unit")
        << QStringLiteral("<text x='1' y='20' font-family='Noto Sans CJK SC' font-size='20pt'>开始</text>")
        << QStringLiteral("plain numbers");
    QTest::newRow("a place in a list") << QStringLiteral("<text x='1 2' y='20' %1>开始</text>").arg(ok)
                                       << QStringLiteral("plain numbers");
    QTest::newRow("a weight the file lacks")
        << QStringLiteral("<text x='1' y='20' font-family='Noto Sans CJK SC' font-weight='200' "
                          "font-size='20'>开始</text>")
        << QStringLiteral("no Noto Sans CJK SC face of weight 200");
    QTest::newRow("broken markup") << QStringLiteral("<g><text>开始</g>") << QStringLiteral("line 1");
}

void tst_TextOutlines::refusesWhatItCannotOutline()
{
    QFETCH(QString, body);
    QFETCH(QString, complaint);
    const QString svg =
        QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='80' height='30'>%1</svg>").arg(body);
    const TextOutlines::Result made = TextOutlines::Outline(svg, families_);
    QVERIFY2(made.error.contains(complaint), qPrintable(made.error));
    QVERIFY(made.svg.isEmpty());
}

QTEST_MAIN(tst_TextOutlines)
#include "tst_textoutlines.moc"
