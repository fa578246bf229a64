#include "lianxi/RecordListBox.h"

#include <QScrollBar>
#include <QTest>

class tst_RecordListBox : public QObject {
    Q_OBJECT

private slots:
    void followsTheLinesItIsTold_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("fewer than in sight") << 5 << false;
        QTest::newRow("many") << 10000 << true;
    }

    void followsTheLinesItIsTold()
    {
        QFETCH(int, lines);
        QFETCH(bool, scrolls);
        QStringList held;
        RecordListBox box(held, 20);
        box.resize(169, 273);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        for (int i = 0; i < lines; ++i) {
            held << QStringLiteral("%1+1=%2").arg(i).arg(i + 1);
            box.lineAppended();
        }
        QCOMPARE(box.count(), lines);
        QCOMPARE(box.verticalScrollBar()->maximum() > 0, scrolls);
        if (lines > 0) {
            QCOMPARE(box.line(0), QStringLiteral("0+1=1"));
            QCOMPARE(box.line(lines - 1), held.back());
        }
        QCOMPARE(box.line(lines), QString());
        // Scrolled to the bottom, the last line is in sight.
        box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
        QVERIFY(box.topRow() <= qMax(0, lines - 1));
        QVERIFY(lines == 0 || (lines - 1 - box.topRow()) * 20 < box.viewport()->height());
    }

    void aClickSelectsTheRowUnderThePointer()
    {
        QStringList held{QStringLiteral("1+1=2"), QStringLiteral("2+2=4"), QStringLiteral("3+3=6")};
        RecordListBox box(held, 20);
        box.resize(169, 273);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.currentRow(), -1);
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(10, 45));
        QCOMPARE(box.currentRow(), 2);
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(10, 200));
        QCOMPARE(box.currentRow(), 2);
    }

    void emptyingStartsAfresh()
    {
        QStringList held;
        RecordListBox box(held, 20);
        box.resize(169, 273);
        for (int i = 0; i < 100; ++i) {
            held << QStringLiteral("1+1=2");
            box.lineAppended();
        }
        box.verticalScrollBar()->setValue(50);
        held.clear();
        box.linesReset();
        QCOMPARE(box.count(), 0);
        QCOMPARE(box.topRow(), 0);
        QCOMPARE(box.verticalScrollBar()->maximum(), 0);
        QCOMPARE(box.currentRow(), -1);
    }
};

QTEST_MAIN(tst_RecordListBox)
#include "tst_recordlistbox.moc"
