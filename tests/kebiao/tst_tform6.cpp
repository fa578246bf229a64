#include "arithmetic/AnswerValue.h"
#include "arithmetic/FactHistory.h"
#include "arithmetic/FactSets.h"
#include "kebiao/PresetMemory.h"
#include "kebiao/TForm6.h"
#include "storage/HistoryRows.h"
#include "storage/HistoryStore.h"
#include "widgets/FlatButton.h"

#include <QAccessible>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(std::optional<PresetPick>)

class tst_TForm6 : public QObject {
    Q_OBJECT

private slots:
    // The chooser opens on the preset in use and ends with what was pressed.
    void choosing_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<std::optional<PresetPick>>("result");
        QTest::newRow("确定 takes 5、4、3、2加几") << 1 << std::optional<PresetPick>(PresetPick{6, 2});
        QTest::newRow("自由练习 goes back to the lists") << 2 << std::optional<PresetPick>(PresetPick{});
        QTest::newRow("取消 changes nothing") << 3 << std::optional<PresetPick>();
    }

    void choosing()
    {
        QFETCH(int, button);
        TForm6 chooser(PresetPick{6, 0});
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QCOMPARE(chooser.ListBox1->currentItem()->text(), QStringLiteral("一年级上册"));
        QVERIFY(chooser.ListBox2->currentItem()->text().startsWith(QStringLiteral("20以内进位加法　例：9+4, 7+5　10 题/分，正确率 90%")));
        QCOMPARE(chooser.ListBox3->count(), 4);
        QCOMPARE(QAccessible::queryAccessibleInterface(chooser.ListBox2)->role(), QAccessible::List);
        chooser.ListBox3->setCurrentRow(2);
        FlatButton *buttons[] = {chooser.SpeedButton1, chooser.SpeedButton2, chooser.SpeedButton3};
        QTest::mouseClick(buttons[button - 1], Qt::LeftButton);
        QVERIFY(!chooser.isVisible());
        QTEST(chooser.Result(), "result");
    }

    // Opened again, the chooser stands on the pick in use, its choice too,
    // and 确定 keeps it.
    void reopeningKeepsThePick_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("choice");
        QTest::newRow("5、4、3、2加几") << 6 << 2;
        QTest::newRow("退位") << 12 << 1;
        QTest::newRow("可进位") << 24 << 1;
        QTest::newRow("有余数的除法") << 20 << 0;
        QTest::newRow("可进退位") << 30 << 1;
        QTest::newRow("百分数口算") << 36 << 0;
    }

    void reopeningKeepsThePick()
    {
        QFETCH(int, id);
        QFETCH(int, choice);
        TForm6 chooser(PresetPick{id, choice});
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        const Preset *preset = FindPreset(id);
        QVERIFY(chooser.ListBox2->currentItem()->text().startsWith(
            QString::fromUtf8(preset->Name.data(), static_cast<qsizetype>(preset->Name.size()))));
        if (!preset->Choices.empty())
            QCOMPARE(chooser.ListBox3->currentRow(), choice);
        QTest::mouseClick(chooser.SpeedButton1, Qt::LeftButton);
        QCOMPARE(*chooser.Result(), (PresetPick{id, choice}));
    }

    // A unit without choices hides them; another term lists its own units.
    void termsListTheirUnits()
    {
        TForm6 chooser(PresetPick{});
        chooser.show();
        chooser.ListBox1->setCurrentRow(3);
        QVERIFY(chooser.ListBox2->item(0)->text().startsWith(QStringLiteral("表内除法")));
        chooser.ListBox2->setCurrentRow(2);
        QVERIFY(chooser.ListBox3->isHidden());
        QTest::mouseClick(chooser.SpeedButton1, Qt::LeftButton);
        QCOMPARE(*chooser.Result(), (PresetPick{20, 0}));
    }

    // The last term lists its fraction and percent units, all the terms in
    // sight without scrolling.
    void lastTerm()
    {
        TForm6 chooser(PresetPick{});
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        const int last = chooser.ListBox1->count() - 1;
        QCOMPARE(chooser.ListBox1->item(last)->text(), QStringLiteral("六年级上册"));
        QVERIFY(chooser.ListBox1->viewport()->rect().contains(chooser.ListBox1->visualItemRect(chooser.ListBox1->item(last))));
        chooser.ListBox1->setCurrentRow(last);
        QCOMPARE(chooser.ListBox2->count(), 2);
        QVERIFY(chooser.ListBox2->item(0)->text().startsWith(QStringLiteral("分数乘除　例：2/3×6, 3/4÷3　5 题/分，正确率 90%")));
        chooser.ListBox2->setCurrentRow(1);
        QTest::mouseClick(chooser.SpeedButton1, Qt::LeftButton);
        QCOMPARE(*chooser.Result(), (PresetPick{36, 0}));
    }

    // ★ 已掌握 follows the child's facts: 90 % of a unit's facts 熟练 or
    // 牢固, every choice of it for the unit's row; 达标 stays as it was.
    void markedMastered_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("fluentPercent");  // of the choice's facts
        QTest::addColumn<bool>("unitMarked");
        QTest::addColumn<bool>("choiceMarked");
        QTest::newRow("10以内加减, 89%") << 2 << 0 << 89 << false << false;
        QTest::newRow("10以内加减, 90%") << 2 << 0 << 90 << true << false;
        QTest::newRow("5、4、3、2加几, 80%") << 6 << 2 << 80 << false << false;
        QTest::newRow("5、4、3、2加几, 90%: the choice alone") << 6 << 2 << 90 << false << true;
    }

    void markedMastered()
    {
        QFETCH(int, id);
        QFETCH(int, choice);
        QFETCH(int, fluentPercent);
        QFETCH(bool, unitMarked);
        QFETCH(bool, choiceMarked);
        QTemporaryDir folder;
        HistoryStore store(HistoryStore::PathIn(folder.path() + u'/'));
        const QList<int> facts = UnitFacts({id, choice});
        // Exactly that share: 10以内加减 has 100 facts, 5、4、3、2加几 ten.
        const qsizetype fluent = facts.size() * fluentPercent / 100;
        QCOMPARE(fluent * 100, facts.size() * fluentPercent);
        // Three right answers of a second each on three days make a fact
        // 熟练; the others are only begun.
        const QDate today = QDate::currentDate();
        for (qsizetype k = 0; k < facts.size(); ++k) {
            const Fact &fact = AllFacts().at(facts.at(k));
            SessionRow session;
            session.id = HistoryStore::NewSessionId();
            session.started = QDateTime(today.addDays(-3), QTime(17, 0));
            store.Keep(session);
            for (int day = k < fluent ? 2 : 0; day >= 0; --day)
                store.Keep(AnswerRow{session.id, 1, HistoryOrigin::Practice,
                                     QDateTime(today.addDays(-day), QTime(17, 0)), fact.Key,
                                     AnswerText(fact.Question.Expected()), true, 1000});
        }
        QCOMPARE(store.Write(), HistoryStore::WriteResult::Written);

        const QList<PresetPick> mastered = MasteredUnits(store, 1);
        TForm6 chooser(PresetPick{id, choice}, [&mastered](const PresetPick &unit) { return mastered.contains(unit); });
        chooser.show();
        const QString row = chooser.ListBox2->currentItem()->text();
        QVERIFY(row.contains(PresetChoice::PresetRow(*FindPreset(id), false)));
        QCOMPARE(row.endsWith(QStringLiteral("　★ 已掌握")), unitMarked);
        if (chooser.ListBox3->isVisible())
            QCOMPARE(chooser.ListBox3->currentItem()->text().endsWith(QStringLiteral(" ★")), choiceMarked);
        // Another child has mastered nothing.
        const QList<PresetPick> none = MasteredUnits(store, 2);
        TForm6 other(PresetPick{id, choice}, [&none](const PresetPick &unit) { return none.contains(unit); });
        QVERIFY(!other.ListBox2->currentItem()->text().contains(u'★'));
    }

    // The drill's pick and the exam's are kept apart in the user's file.
    void remembered()
    {
        QTemporaryDir folder;
        const QString path = PresetMemory::PathIn(folder.path());
        QCOMPARE(PresetMemory::Read(path, PresetMemory::Place::Drill), PresetPick{});
        QVERIFY(!PresetMemory::Write(path, PresetMemory::Place::Drill, {6, 1}));
        QVERIFY(!PresetMemory::Write(path, PresetMemory::Place::Exam, {20, 0}));
        QCOMPARE(PresetMemory::Read(path, PresetMemory::Place::Drill), (PresetPick{6, 1}));
        QCOMPARE(PresetMemory::Read(path, PresetMemory::Place::Exam), (PresetPick{20, 0}));
        QVERIFY(!PresetMemory::Write(path, PresetMemory::Place::Drill, {}));
        QCOMPARE(PresetMemory::Read(path, PresetMemory::Place::Drill), PresetPick{});
        QCOMPARE(PresetMemory::Read(path, PresetMemory::Place::Exam), (PresetPick{20, 0}));
    }
};

QTEST_MAIN(tst_TForm6)
#include "tst_tform6.moc"
