#include "lianxi/RecordListBox.h"

#include "support/AccessibleTree.h"

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

    // A screen reader reads the lines as the rows of a list, also of a very
    // long one, and a row it holds follows the list as it grows and empties.
    void readAsAListOfRows_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("none") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("ten thousand") << 10000;
    }

    void readAsAListOfRows()
    {
        QFETCH(int, lines);
        QStringList held;
        for (int i = 0; i < lines; ++i)
            held << QStringLiteral("%1+1=%2").arg(i).arg(i + 1);
        RecordListBox box(held, 20);
        box.setAccessibleName(QStringLiteral("做对的题"));
        box.resize(169, 273);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        QAccessibleInterface *list = AccessibleTree::Of(&box);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("做对的题"));
        QCOMPARE(list->childCount(), lines);
        QCOMPARE(list->child(lines), nullptr);
        if (lines == 0)
            return;

        QAccessibleInterface *last = list->child(lines - 1);
        QCOMPARE(last->role(), QAccessible::ListItem);
        QCOMPARE(last->text(QAccessible::Name), held.back());
        QCOMPARE(last->parent(), list);
        QCOMPARE(list->indexOfChild(last), lines - 1);
        QCOMPARE(list->child(lines - 1), last);
        QVERIFY(!list->child(0)->state().offscreen);
        QCOMPARE(last->state().offscreen, lines > 13);
        QCOMPARE(list->childAt(box.viewport()->mapToGlobal(QPoint(5, 25)).x(),
                               box.viewport()->mapToGlobal(QPoint(5, 25)).y()),
                 list->child(1));

        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(10, 5));
        QVERIFY(list->child(0)->state().selected);
        QVERIFY(!last->state().selected);

        held.clear();
        box.linesReset();
        QCOMPARE(list->childCount(), 0);
        QVERIFY(!last->isValid());
        held << QStringLiteral("7*8=56");
        box.lineAppended();
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("7*8=56"));
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
