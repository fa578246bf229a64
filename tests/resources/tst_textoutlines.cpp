// The labels of the art as glyph outlines: the same picture as the text they
// replace, and the committed art made from its templates as they stand.
#include "labels/TextOutlines.h"

#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>
#include <cstdlib>

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

// Pixels where some channel differs by more than an eighth of its range.
int StronglyDiffering(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int worst = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            count += worst > 32 ? 1 : 0;
        }
    }
    return count;
}

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
    const int differing = StronglyDiffering(asText, asOutlines);
    QVERIFY2(differing * 10000 < asText.width() * asText.height(),
             qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(asText.width() * asText.height())));
    // Without its labels the picture is clearly different, so the measure
    // can tell.
    QString unlabelled = source;
    unlabelled.replace(QRegularExpression(QStringLiteral("<text[^>]*>[^<]*</text>")), QString());
    QVERIFY(StronglyDiffering(asText, Draw(unlabelled, 2)) > 10 * std::max(differing, 100));
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
        << QStringLiteral("<text x='1' y='20' %1>开始😀</text>").arg(ok) << QStringLiteral("lacks the character U+1f600");
    QTest::newRow("a span inside")
        << QStringLiteral("<text x='1' y='20' %1>开<tspan>始</tspan></text>").arg(ok)
        << QStringLiteral("characters and nothing else");
    QTest::newRow("no characters") << QStringLiteral("<text x='1' y='20' %1/>").arg(ok)
                                   << QStringLiteral("characters and nothing else");
    QTest::newRow("a size with a unit")
        << QStringLiteral("<text x='1' y='20' font-family='Noto Sans CJK SC' font-size='20pt'>开始</text>")
        << QStringLiteral("font-size");
    QTest::newRow("broken markup") << QStringLiteral("<g><text>开始</g>") << QStringLiteral("line 1");
}

void tst_TextOutlines::refusesWhatItCannotOutline()
{
    QFETCH(QString, body);
    QFETCH(QString, complaint);
    const QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='80' height='30'>%1</svg>").arg(body);
    const TextOutlines::Result made = TextOutlines::Outline(svg, families_);
    QVERIFY2(made.error.contains(complaint), qPrintable(made.error));
    QVERIFY(made.svg.isEmpty());
}

QTEST_MAIN(tst_TextOutlines)
#include "tst_textoutlines.moc"
