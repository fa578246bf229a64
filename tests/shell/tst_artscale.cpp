// The windows' art on a screen of two device pixels to the point, and again
// after a move to a screen of four. Art drawn for the screen has its edges
// anywhere; art drawn at a lower resolution and enlarged shows up as blocks
// of identical pixels.
#include "kaochang/TForm4.h"
#include "lianxi/TForm2.h"
#include "shell/TForm1.h"
#include "support/ImageDifference.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// Blocks of 2 × 2 device pixels that are not all one colour, counted on the
// even grid and on the grid shifted by one pixel. A picture enlarged from
// half the resolution changes colour only between pixel pairs: its even grid
// has no such block at all, while the shifted grid meets every edge. Art
// drawn for the screen has many edges inside pixel pairs too: curves,
// slants and half-pixel strokes (edges that lie on whole logical pixels,
// such as a square's, still fall between pairs, hence the low bar).
struct EdgeBlocks {
    int evenGrid = 0;
    int shiftedGrid = 0;

    double EvenShare() const { return shiftedGrid == 0 ? 0.0 : double(evenGrid) / shiftedGrid; }
};

EdgeBlocks CountEdgeBlocks(const QImage &image, const QRect &deviceRect)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const QRect area = deviceRect & pixels.rect();
    EdgeBlocks blocks;
    for (int y = area.top(); y < area.bottom(); ++y) {
        for (int x = area.left(); x < area.right(); ++x) {
            const bool even = x % 2 == 0 && y % 2 == 0;
            const bool shifted = x % 2 == 1 && y % 2 == 1;
            if (!even && !shifted)
                continue;
            const QRgb p = pixels.pixel(x, y);
            if (p == pixels.pixel(x + 1, y) && p == pixels.pixel(x, y + 1) && p == pixels.pixel(x + 1, y + 1))
                continue;
            (even ? blocks.evenGrid : blocks.shiftedGrid) += 1;
        }
    }
    return blocks;
}

// The rectangle of a control in device pixels of its window's grab.
QRect DeviceRect(const QWidget *control, qreal ratio)
{
    const QRect logical(control->mapTo(control->window(), QPoint(0, 0)), control->size());
    return {(logical.topLeft() * ratio), (logical.size() * ratio)};
}

void VerifyCrisp(const QImage &image, const QRect &deviceRect, const char *what)
{
    const EdgeBlocks blocks = CountEdgeBlocks(image, deviceRect);
    const QByteArray message = QByteArray(what) + ": " + QByteArray::number(blocks.evenGrid) +
                               " edge blocks on the even grid, " + QByteArray::number(blocks.shiftedGrid) +
                               " on the shifted one";
    QVERIFY2(blocks.shiftedGrid >= 20, message.constData());
    QVERIFY2(blocks.EvenShare() > 0.1, message.constData());
}

// Each control's area in a grab of its window.
void VerifyCrispIn(QWidget *window, std::initializer_list<std::pair<const QWidget *, const char *>> controls)
{
    const qreal ratio = window->devicePixelRatioF();
    const QImage shot = window->grab().toImage();
    QCOMPARE(shot.size(), window->size() * ratio);
    for (const auto &[control, name] : controls) {
        QVERIFY2(control->isVisible(), name);
        VerifyCrisp(shot, DeviceRect(control, ratio), name);
    }
}

// A picture button's picture alone: its caption is Qt's own crisp text.
void VerifyCrispPicture(FlatButton *button)
{
    const QString caption = button->text();
    button->setText(QString());
    const QImage shot = button->grab().toImage();
    button->setText(caption);
    VerifyCrisp(shot, shot.rect(), qPrintable(button->objectName() + QLatin1Char(' ') + caption));
}

void VerifyCrispCursor(const QWidget *control)
{
    const QPixmap cursor = control->cursor().pixmap();
    QCOMPARE(cursor.devicePixelRatio(), control->devicePixelRatioF());
    const QImage image = cursor.toImage();
    VerifyCrisp(image, image.rect(), "pen cursor");
}

// A mark shows its picture drawn for its own size and ratio: what Qt's SVG
// renderer makes of the file at that many device pixels over the strip's
// colour (the mark's corner), not a bigger template squeezed and enlarged.
void VerifyDrawnForItsSize(QWidget *mark, const QString &resource)
{
    const QImage shown = mark->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage expected(shown.size(), QImage::Format_ARGB32);
    expected.fill(shown.pixelColor(0, 0));
    QSvgRenderer renderer(resource);
    QPainter painter(&expected);
    renderer.render(&painter, QRectF(expected.rect()));
    painter.end();
    const int differing = PixelsDiffering(shown, expected, 16);
    QVERIFY2(differing * 50 < shown.width() * shown.height(),
             qPrintable(QStringLiteral("%1: %2 of %3 pixels differ")
                            .arg(resource)
                            .arg(differing)
                            .arg(shown.width() * shown.height())));
}

void Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

}  // namespace

class tst_ArtScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void menuArt();
    void drillArtAndResultPanel();
    void gradedExamPaper();
    void artFollowsTheWindowToAScreenOfAnotherRatio();

private:
    NoticeRecorder notices_;
    CueRecorder cues_;
};

void tst_ArtScale::initTestCase()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens.at(0)->devicePixelRatio(), 2.0);
    QCOMPARE(screens.at(1)->devicePixelRatio(), 4.0);
}

void tst_ArtScale::menuArt()
{
    TForm1 menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(menu.devicePixelRatioF(), 2.0);
    QMetaObject::invokeMethod(menu.Timer1, "timeout");
    VerifyCrispIn(&menu, {{menu.SpeedButton2, "crown 练习篇"},
                          {menu.SpeedButton3, "crown 竞技篇"},
                          {menu.SpeedButton4, "crown 考试篇"},
                          {menu.SpeedButton5, "crown 技巧篇"},
                          {menu.SpeedButton6, "plus circle"},
                          {menu.SpeedButton7, "minus circle"},
                          {menu.SpeedButton8, "question circle"},
                          {menu.SpeedButton12, "今日练习"},
                          {menu.Image3, "dog"}});
    VerifyCrispCursor(menu.SpeedButton2);
}

void tst_ArtScale::drillArtAndResultPanel()
{
    TForm2 drill;
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    Click(drill.SpeedButton4);
    const PictureBox *sign = nullptr;
    for (const PictureBox *candidate : {drill.Image9, drill.Image10, drill.Image11, drill.Image12})
        sign = candidate->isVisible() ? candidate : sign;
    QVERIFY(sign);
    VerifyCrispIn(&drill, {{drill.SpeedButton4, "开始"},
                           {drill.SpeedButton3, "查看"},
                           {drill.SpeedButton2, "保存"},
                           {drill.SpeedButton1, "离开"},
                           {sign, "operator sign"},
                           {drill.Image2, "equals sign"}});
    VerifyCrispCursor(drill.SpeedButton4);
    VerifyCrispCursor(drill.Edit1);

    QTest::keyClicks(drill.Edit1, QStringLiteral("1"));
    QTest::keyClick(drill.Edit1, Qt::Key_Return);
    Click(drill.SpeedButton3);
    VerifyCrispIn(&drill, {{drill.Image13, "tick"}, {drill.Image14, "cross"}});
    for (FlatButton *button : {drill.SpeedButton17, drill.SpeedButton19, drill.SpeedButton16})
        VerifyCrispPicture(button);
}

void tst_ArtScale::gradedExamPaper()
{
    TForm4 exam;
    exam.show();
    QVERIFY(QTest::qWaitForWindowExposed(&exam));
    Click(exam.SpeedButton3);
    Click(exam.SpeedButton5);
    for (int k = 0; k < 10; ++k) {
        const int answer = exam.Room().Paper().at(k).Answer + (k % 2);
        QTest::keyClicks(exam.AnswerBoxes[static_cast<std::size_t>(k)], QString::number(answer));
    }
    QTest::keyClicks(exam.Edit51, QStringLiteral("Ming"));
    Click(exam.SpeedButton7);
    Click(exam.SpeedButton6);
    VerifyCrispIn(&exam, {{exam.Marks[0], "tick"}, {exam.Marks[1], "cross"}});
    VerifyDrawnForItsSize(exam.Marks[0], QStringLiteral(":/marks/tick.svg"));
    VerifyDrawnForItsSize(exam.Marks[1], QStringLiteral(":/marks/cross.svg"));
}

void tst_ArtScale::artFollowsTheWindowToAScreenOfAnotherRatio()
{
    TForm2 drill;
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    QCOMPARE(drill.devicePixelRatioF(), 2.0);
    (void)drill.grab();  // the art is drawn at two first, then the window moves

    QScreen *other = QGuiApplication::screens().at(1);
    drill.windowHandle()->setScreen(other);
    drill.move(other->geometry().topLeft());
    QTRY_COMPARE(drill.devicePixelRatioF(), 4.0);
    Click(drill.SpeedButton4);
    VerifyCrispIn(&drill, {{drill.SpeedButton4, "开始"}, {drill.Image2, "equals sign"}});
    VerifyCrispCursor(drill.SpeedButton4);
}

QTEST_MAIN(tst_ArtScale)
#include "tst_artscale.moc"
