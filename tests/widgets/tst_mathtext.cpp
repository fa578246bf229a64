#include "arithmetic/EquationRow.h"
#include "arithmetic/Problem.h"
#include "arithmetic/ProblemTexts.h"
#include "widgets/AnswerBox.h"
#include "widgets/AnswerFeedback.h"
#include "widgets/Fonts.h"
#include "widgets/MathLabel.h"
#include "widgets/MathText.h"
#include "widgets/Palette.h"
#include "widgets/ProblemDisplay.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <algorithm>

class tst_MathText : public QObject {
    Q_OBJECT

private slots:
    void fractionsStandStacked_data();
    void fractionsStandStacked();
    void textWithoutFractionsDrawsAsBefore_data();
    void textWithoutFractionsDrawsAsBefore();
    void fractionsStandStackedInTheDrillRowAndOnTheCard_data();
    void fractionsStandStackedInTheDrillRowAndOnTheCard();
};

namespace {

// Rows of a widget's drawing, on white, that hold ink of the colour, inside
// a frame of margin pixels.
int InkRows(QWidget *widget, const QColor &ink, int margin = 0)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int rows = 0;
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - ink.red()) + qAbs(pixel.green() - ink.green()) + qAbs(pixel.blue() - ink.blue())
                < 120) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

}  // namespace

void tst_MathText::fractionsStandStacked_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("numerators");
    QTest::addColumn<QStringList>("denominators");
    QTest::addColumn<QString>("runs");  // what stands on the line, in order
    QTest::newRow("three quarters") << QStringLiteral("3/4") << QStringList{"3"} << QStringList{"4"} << QString();
    QTest::newRow("wide numerator") << QStringLiteral("12/5") << QStringList{"12"} << QStringList{"5"} << QString();
    QTest::newRow("wide denominator") << QStringLiteral("1/12") << QStringList{"1"} << QStringList{"12"} << QString();
    QTest::newRow("mixed number") << QStringLiteral("1 1/6") << QStringList{"1"} << QStringList{"6"}
                                  << QStringLiteral("1");
    QTest::newRow("a problem") << QStringLiteral("3/4 ÷ 3=") << QStringList{"3"} << QStringList{"4"}
                               << QStringLiteral(" ÷ 3=");
    QTest::newRow("two fractions") << QStringLiteral("2/7 + 3/7=") << QStringList{"2", "3"}
                                   << QStringList{"7", "7"} << QStringLiteral(" + =");
    QTest::newRow("whole minus a fraction") << QStringLiteral("1 − 3/8=") << QStringList{"3"} << QStringList{"8"}
                                            << QStringLiteral("1 − =");
}

void tst_MathText::fractionsStandStacked()
{
    QFETCH(QString, text);
    QFETCH(QStringList, numerators);
    QFETCH(QStringList, denominators);
    QFETCH(QString, runs);
    const QFont font = Fonts::SongTi(64, true);
    const MathText::Layout layout = MathText::Of(text).Lay(font);
    const MathText::Layout whole = MathText::Of(QStringLiteral("3")).Lay(font);
    QVERIFY(layout.ascent + layout.descent > whole.ascent + whole.descent);

    QString onTheLine;
    QList<MathText::Placed> stacked;
    for (const MathText::Placed &placed : layout.texts) {
        if (placed.small)
            stacked.append(placed);
        else
            onTheLine += placed.text;
    }
    QCOMPARE(onTheLine, runs);
    QCOMPARE(layout.bars.size(), numerators.size());
    QCOMPARE(stacked.size(), 2 * numerators.size());
    for (qsizetype i = 0; i < layout.bars.size(); ++i) {
        const QRectF bar = layout.bars.at(i);
        const MathText::Placed over = stacked.at(2 * i);
        const MathText::Placed under = stacked.at(2 * i + 1);
        QCOMPARE(over.text, numerators.at(i));
        QCOMPARE(under.text, denominators.at(i));
        // The numerator stands on the bar, the denominator hangs under it.
        QVERIFY(over.baseline.y() < bar.top());
        QVERIFY(under.baseline.y() > bar.bottom());
        // The bar spans the wider of the two, both centred on it.
        QVERIFY(bar.width() >= std::max(over.width, under.width));
        QVERIFY(bar.width() < std::max(over.width, under.width) * 2);
        for (const MathText::Placed &digits : {over, under})
            QVERIFY(qAbs(digits.baseline.x() + digits.width / 2 - bar.center().x()) < 0.5);
        // Across the middle of the digits of the line, as a minus sign is.
        QVERIFY(bar.center().y() < 0 && bar.center().y() > -whole.ascent);
    }
    QCOMPARE(layout.width > 0, true);
}

void tst_MathText::textWithoutFractionsDrawsAsBefore_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("sum") << QStringLiteral("15 + 7=");
    QTest::newRow("widest product") << QStringLiteral("10000 × 10000=");
    QTest::newRow("remainder") << QStringLiteral("38 ÷ 5=7……3");
    QTest::newRow("blank") << QStringLiteral("□ + 3=10");
    QTest::newRow("decimal") << QStringLiteral("0.5 + 0.3=");
    QTest::newRow("percent") << QStringLiteral("25% × 40=");
    QTest::newRow("a decimal's digits are no numerator") << QStringLiteral("0.5/2");
}

void tst_MathText::textWithoutFractionsDrawsAsBefore()
{
    QFETCH(QString, text);
    QVERIFY(!MathText::Of(text).HasFraction());
    const QFont font = Fonts::Ui(13, true);
    const QRectF box(0, 0, 160, 24);
    const auto draw = [&](bool math) {
        QImage image(160, 24, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::blue);
        if (math)
            MathText::Of(text).Draw(painter, box, Qt::AlignRight | Qt::AlignVCenter, font);
        else
            painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return image;
    };
    QCOMPARE(draw(true), draw(false));

    // A label drawing fractions stacked draws any other text as a label does.
    QLabel plain(text);
    MathLabel math;
    math.setText(text);
    for (QLabel *label : {&plain, static_cast<QLabel *>(&math)}) {
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->resize(160, 24);
    }
    QCOMPARE(math.grab().toImage(), plain.grab().toImage());
    QCOMPARE(math.textWidth(), plain.fontMetrics().horizontalAdvance(text));
}

// The drill's row and its right-answer card, as the drill and the 错题本's
// review show a problem: a fraction stands taller than a whole number, and a
// screen reader says it as it is read.
void tst_MathText::fractionsStandStackedInTheDrillRowAndOnTheCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("fraction by a whole number") << QStringLiteral("3/4÷3") << QStringLiteral("四分之三除以3等于");
    QTest::newRow("like denominators") << QStringLiteral("2/7+3/7") << QStringLiteral("七分之二加七分之三等于");
    QTest::newRow("whole by a fraction") << QStringLiteral("6×2/3") << QStringLiteral("6乘三分之二等于");
}

void tst_MathText::fractionsStandStackedInTheDrillRowAndOnTheCard()
{
    QFETCH(QString, text);
    QFETCH(QString, spoken);
    const std::optional<Problem> fractions = ProblemOfText(text);
    const std::optional<Problem> whole = ProblemOfText(QStringLiteral("3÷3"));
    QVERIFY(fractions && whole);
    QWidget window;
    window.resize(800, 600);
    ProblemDisplay display(&window, QPoint(96, 200));
    AnswerFeedback feedback(&window, {"Panel3", "Image17", "Image18", "Label14"}, {688, 298, 64, 64},
                            {96, 298, 560, 64});
    const auto show = [&display](const Problem &problem) {
        const EquationRow row = EquationRowOf(problem);
        display.showEquation(row.before, row.after, row.wideBlank, SpokenProblem(problem));
    };
    show(*whole);
    const int wholeRows = InkRows(display.Row().Label18, Palette::Blue);
    show(*fractions);
    const int fractionRows = InkRows(display.Row().Label18, Palette::Blue);
    QVERIFY2(fractionRows > wholeRows * 4 / 3, qPrintable(QStringLiteral("%1 against %2").arg(fractionRows).arg(wholeRows)));
    QCOMPARE(display.Answer()->accessibleDescription(), spoken);

    const QColor green(0, 100, 0);
    feedback.ShowWrong(EquationText(*whole), SpokenEquation(*whole));
    const int wholeCard = InkRows(feedback.Equation, green, 4);
    feedback.ShowWrong(EquationText(*fractions), SpokenEquation(*fractions));
    QVERIFY(InkRows(feedback.Equation, green, 4) > wholeCard * 4 / 3);
    QVERIFY(feedback.Equation->accessibleName().startsWith(QStringLiteral("正确答案 ") + spoken));
}

QTEST_MAIN(tst_MathText)
#include "tst_mathtext.moc"
