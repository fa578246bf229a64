#include "chengzhang/TForm8.h"
#include "cuotiben/Notebook.h"
#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemTexts.h"
#include "arithmetic/TodaySession.h"
#include "arithmetic/FactSets.h"
#include "kebiao/PresetMemory.h"
#include "lianxi/TForm2.h"
#include "shell/Application.h"
#include "shell/NotebookFeed.h"
#include "shell/TForm1.h"
#include "shell/TForm7.h"
#include "support/AccessibleTree.h"
#include "support/Recorders.h"
#include "storage/HistoryStore.h"
#include "support/TestFiles.h"
#include "widgets/CelebrationPanel.h"
#include "widgets/FlatButton.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs steps in the next modal window, as a parent works it.
void InTheNextWindow(const std::function<void(QWidget &)> &steps)
{
    QTimer::singleShot(0, [steps] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            steps(*modal);
            if (modal->isVisible())
                modal->close();
        }
    });
}

void AddChild(QWidget &window, const QString &name, int picture)
{
    auto &who = dynamic_cast<TForm7 &>(window);
    QTest::mouseClick(who.SpeedButton1, Qt::LeftButton);
    // Chinese comes through the input method.
    QInputMethodEvent typed;
    typed.setCommitString(name);
    QApplication::sendEvent(who.Edit1, &typed);
    QTest::mouseClick(who.PictureButtons.at(picture), Qt::LeftButton);
    QTest::mouseClick(who.SpeedButton3, Qt::LeftButton);
}

// What the edit box holds is replaced by the name, as a parent types it.
void TypeName(TForm7 &who, const QString &name)
{
    who.Edit1->selectAll();
    QTest::keyClick(who.Edit1, Qt::Key_Delete);
    QInputMethodEvent typed;
    typed.setCommitString(name);
    QApplication::sendEvent(who.Edit1, &typed);
}

QStringList Shown(const QList<QLabel *> &labels)
{
    QStringList names;
    for (const QLabel *label : labels)
        names << label->text();
    return names;
}

}  // namespace

class tst_TForm7 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        root_ = InstallFolder::Current().SharedRoot();
        QDir(root_).removeRecursively();
        QVERIFY(QDir().mkpath(InstallFolder::Current().SharedDatabaseFolder()));
    }

    void switchingChildrenThroughTheMenu()
    {
        CueRecorder cues;
        NoticeRecorder notices;
        auto menu = std::make_unique<TForm1>();
        menu->show();
        QTRY_COMPARE(menu->Label2->text(), QStringLiteral("小朋友"));
        QCOMPARE(menu->SpeedButton11->accessibleName(), QStringLiteral("换一个小朋友"));
        // One child: nothing is asked at start-up.
        bool asked = false;
        InTheNextWindow([&asked](QWidget &) { asked = true; });
        menu->AskWhoPractises();
        QCoreApplication::processEvents();
        QVERIFY(!asked);

        // Add 小明 with the cat and choose him.
        QStringList shown;
        InTheNextWindow([&shown](QWidget &window) {
            AddChild(window, QStringLiteral("小明"), 2);
            auto &who = dynamic_cast<TForm7 &>(window);
            for (QLabel *name : who.NameLabels)
                shown << name->text();
            QTest::mouseClick(who.ChildButtons.at(1), Qt::LeftButton);
        });
        QTest::mouseClick(menu->SpeedButton11, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{"小朋友", "小明"}));
        QCOMPARE(menu->Label2->text(), QStringLiteral("小明"));
        const InstallFolder his = menu->ChildFolder();
        QCOMPARE(his.UserRoot(), root_ + QStringLiteral("xiaopengyou/2/"));
        QVERIFY(QFileInfo(his.UserDatabaseFolder()).isDir());
        QVERIFY(QFileInfo(his.UserRoot() + QStringLiteral("Lxdui")).isDir());
        QCOMPARE(his.SharedDatabaseFolder(), InstallFolder::Current().SharedDatabaseFolder());

        // His 成长记录 is his.
        QString title;
        InTheNextWindow([&title](QWidget &window) { title = dynamic_cast<TForm8 &>(window).Label1->text(); });
        QTest::mouseClick(menu->SpeedButton10, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("小明的成长记录"));

        // The next start asks who practises and remembers the last child.
        menu = std::make_unique<TForm1>();
        menu->show();
        QTRY_COMPARE(menu->Label2->text(), QStringLiteral("小明"));
        InTheNextWindow([](QWidget &window) {
            QTest::mouseClick(dynamic_cast<TForm7 &>(window).ChildButtons.at(0), Qt::LeftButton);
        });
        menu->AskWhoPractises();
        QCOMPARE(menu->Label2->text(), QStringLiteral("小朋友"));
        QCOMPARE(menu->ChildFolder().UserRoot(), root_);
        QVERIFY(notices.seen.isEmpty());
    }

    // A parent renames the first child, gives her another animal, removes
    // her brother after being told what is kept, and brings him back.
    void managingChildrenThroughTheWindow()
    {
        NoticeRecorder notices;
        const QString list = ChildList::PathIn(InstallFolder::Current().SharedDatabaseFolder());
        QVERIFY(TestFiles::WriteAll(list, "当前\t1\r\n1\tpanda\t小朋友\r\n2\tcat\t小明\r\n"));
        QVERIFY(QDir().mkpath(root_ + QStringLiteral("xiaopengyou/2/database")));
        TForm1 menu;
        QStringList afterRename, whileRemoved, afterBringingBack;
        QString asked, listWhileRemoved;
        InTheNextWindow([&](QWidget &window) {
            auto &who = dynamic_cast<TForm7 &>(window);
            QTest::mouseClick(who.EditButtons.at(0), Qt::LeftButton);
            QVERIFY(who.Panel1->isVisible());
            QCOMPARE(who.Edit1->text(), QStringLiteral("小朋友"));
            TypeName(who, QStringLiteral("  小雨 "));
            QTest::mouseClick(who.PictureButtons.at(1), Qt::LeftButton);
            QTest::mouseClick(who.SpeedButton3, Qt::LeftButton);
            afterRename = Shown(who.NameLabels);

            QTest::mouseClick(who.EditButtons.at(1), Qt::LeftButton);
            QTest::mouseClick(who.SpeedButton5, Qt::LeftButton);
            asked = who.Label4->text();
            QTest::mouseClick(who.SpeedButton8, Qt::LeftButton);
            whileRemoved = Shown(who.NameLabels);
            listWhileRemoved = QString::fromUtf8(TestFiles::ReadAll(list));

            QTest::mouseClick(who.SpeedButton4, Qt::LeftButton);
            QCOMPARE(Shown(who.RemovedLabels), QStringList{"小明"});
            QTest::mouseClick(who.RemovedButtons.at(0), Qt::LeftButton);
            afterBringingBack = Shown(who.NameLabels);
            QTest::mouseClick(who.SpeedButton2, Qt::LeftButton);
        });
        QTest::mouseClick(menu.SpeedButton11, Qt::LeftButton);
        QCOMPARE(afterRename, (QStringList{"小雨", "小明"}));
        QVERIFY2(asked.contains(u"小明") && asked.contains(u"留着"), qPrintable(asked));
        QCOMPARE(whileRemoved, QStringList{"小雨"});
        QVERIFY(listWhileRemoved.contains(QStringLiteral("2\tcat\t小明\t移走")));
        QCOMPARE(afterBringingBack, (QStringList{"小雨", "小明"}));
        // Nothing of his was deleted, and she is herself on the menu.
        QVERIFY(QFileInfo(root_ + QStringLiteral("xiaopengyou/2/database")).isDir());
        QCOMPARE(menu.Label2->text(), QStringLiteral("小雨"));
        QCOMPARE(menu.CurrentChild().picture, QStringLiteral("rabbit"));
        QVERIFY(notices.seen.isEmpty());
    }

    void namesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("notice");
        QTest::newRow("blank") << QStringLiteral("  ") << QStringLiteral("请先写上名字！");
        QTest::newRow("a brother's") << QStringLiteral("小明") << QStringLiteral("小明");
        QTest::newRow("a removed sister's") << QStringLiteral("小红") << QStringLiteral("小红");
    }

    void namesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, notice);
        NoticeRecorder notices;
        const QString list = ChildList::PathIn(InstallFolder::Current().SharedDatabaseFolder());
        const QByteArray before = "当前\t1\r\n1\tpanda\t小雨\r\n2\tcat\t小明\r\n3\tfox\t小红\t移走\r\n";
        QVERIFY(TestFiles::WriteAll(list, before));
        ChildList children(list);
        QVERIFY(!children.Load());
        TForm7 who(children, InstallFolder::Current());
        who.show();
        QTest::mouseClick(who.EditButtons.at(0), Qt::LeftButton);
        const QStringList unnamed = AccessibleTree::UnnamedControls(AccessibleTree::Of(&who));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        TypeName(who, name);
        QTest::mouseClick(who.SpeedButton3, Qt::LeftButton);
        QCOMPARE(notices.seen.size(), 1);
        QVERIFY2(notices.seen.first().second.contains(notice), qPrintable(notices.seen.first().second));
        QVERIFY(who.Panel1->isVisible());
        QCOMPARE(TestFiles::ReadAll(list), before);
    }

    // A list naming a child whose folders went: they are made again at
    // start-up and before the child's misses are saved.
    void aMissingChildFolderIsMadeAgain()
    {
        NoticeRecorder notices;
        CueRecorder cues;
        const QString list = ChildList::PathIn(InstallFolder::Current().SharedDatabaseFolder());
        // One child present: nothing is asked at start-up.
        QVERIFY(TestFiles::WriteAll(list, "当前\t2\r\n1\tpanda\t小雨\t移走\r\n2\tcat\t小明\r\n"));
        const QString his = root_ + QStringLiteral("xiaopengyou/2/");
        QVERIFY(QDir(his).removeRecursively());
        TForm1 menu;
        ShowMainMenu(menu, std::nullopt);
        QVERIFY(QFileInfo(his + QStringLiteral("database")).isDir());
        QVERIFY(QFileInfo(his + QStringLiteral("Lxcuo")).isDir());

        QVERIFY(QDir(his).removeRecursively());
        NotebookFeed &feed = NotebookFeed::Of(menu.ChildFolder().UserDatabaseFolder());
        feed.SaveInto(menu.ChildFolder());
        feed.Listener(MissSource::Practice)(Problem::From({8, Operator::Addition, 7, 15}), QStringLiteral("14"));
        feed.VisitEnded();
        Notebook saved(Notebook::PathIn(menu.ChildFolder().UserDatabaseFolder()));
        QVERIFY(!saved.Load());
        QCOMPARE(saved.Entries().size(), 1);
        QVERIFY2(notices.seen.isEmpty(), qPrintable(notices.texts().join(u'\n')));
    }

    // A parent gives her grade in 谁来练习, where it is kept and shown. Her
    // 今日练习 asks the 错题本's problem due today first, then the facts of
    // her unit; typed answers reach the history, the end tells what she
    // learnt today, and the menu's picture wears its ✓ for the day.
    void dailyPracticeFromTheMenu()
    {
        NoticeRecorder notices;
        CueRecorder cues;
        const QString list = ChildList::PathIn(InstallFolder::Current().SharedDatabaseFolder());
        QVERIFY(TestFiles::WriteAll(list, "当前\t1\r\n1\tpanda\t小雨\r\n"));
        const InstallFolder hers = InstallFolder::Current().ForChild(1);
        const QDate today = QDate::currentDate();
        // 8、7、6加几, each fact right and quick on the two days before: one
        // more quick answer today makes it 熟练.
        const PresetPick unit{6, 1};
        {
            HistoryStore history(HistoryStore::PathIn(hers.SharedDatabaseFolder()));
            QVERIFY(history.Open());
            history.WaitForMigration();
            for (int daysAgo : {2, 1}) {
                SessionRow session;
                session.id = HistoryStore::NewSessionId();
                session.started = QDateTime(today.addDays(-daysAgo), QTime(18, 0));
                history.Keep(session);
                for (int fact : UnitFacts(unit)) {
                    const Problem &problem = AllFacts().at(fact).Question;
                    history.Keep(AnswerRow{session.id, 1, HistoryOrigin::Practice, session.started.addSecs(fact),
                                           AllFacts().at(fact).Key, AnswerText(problem.Expected()), true, 1500});
                }
            }
            QCOMPARE(history.Write(), HistoryStore::WriteResult::Written);
        }
        QCOMPARE(PresetMemory::Write(PresetMemory::PathIn(hers.UserDatabaseFolder()), PresetMemory::Place::Drill, unit),
                 std::nullopt);
        const QString notebookPath = Notebook::PathIn(hers.UserDatabaseFolder());
        QFile::remove(notebookPath);
        {
            Notebook notebook(notebookPath);
            notebook.NoteMiss(Problem::Of(3, Operator::Addition, 4), QStringLiteral("8"), MissSource::Exam,
                              today.addDays(-1));
            QCOMPARE(notebook.Save(), std::nullopt);
        }

        TForm1 menu;
        ShowMainMenu(menu, std::nullopt);
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::qWait(100);
        QCOMPARE(menu.SpeedButton12->accessibleDescription(), QString());
        QStringList grades;
        InTheNextWindow([&grades](QWidget &window) {
            auto &who = dynamic_cast<TForm7 &>(window);
            grades << who.GradeLabels.at(0)->text();
            QTest::mouseClick(who.EditButtons.at(0), Qt::LeftButton);
            QTest::mouseClick(who.GradeButtons.at(0), Qt::LeftButton);
            QTest::mouseClick(who.SpeedButton3, Qt::LeftButton);
            grades << who.GradeLabels.at(0)->text();
        });
        QTest::mouseClick(menu.SpeedButton11, Qt::LeftButton);
        QCOMPARE(grades, (QStringList{"几年级？", "一年级"}));
        ChildList kept(list);
        QVERIFY(!kept.Load());
        QCOMPARE(kept.Current().grade, std::optional(1));

        QStringList asked;
        QString boxName, firstSpoken, ending, celebrated;
        InTheNextWindow([&](QWidget &window) {
            auto &drill = dynamic_cast<TForm2 &>(window);
            QCOMPARE(drill.windowTitle(), QStringLiteral("今日练习"));
            QCOMPARE(drill.Label20->text(), QStringLiteral("今日练习：20以内进位加法 · 8、7、6加几"));
            QVERIFY(drill.SpeedButton20->isHidden());
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            boxName = drill.Edit1->accessibleName();
            firstSpoken = drill.Edit1->accessibleDescription();
            while (drill.Session().Running() && asked.size() < 2 * TodaySession::Length) {
                const Problem problem = drill.Session().WholeProblem();
                asked << HistoryText(problem);
                QTest::keyClicks(drill.Edit1, AnswerText(problem.Expected()));
                QTest::keyClick(drill.Edit1, Qt::Key_Return);
            }
            ending = drill.Label25->text();
            if (drill.Panel5->isVisible())
                celebrated = drill.Panel5->Text();
            drill.close();
        });
        QTest::mouseClick(menu.SpeedButton12, Qt::LeftButton);

        QCOMPARE(asked.size(), TodaySession::Length);
        QCOMPARE(asked.first(), QStringLiteral("3+4"));
        QCOMPARE(boxName, QStringLiteral("答案"));
        QCOMPARE(firstSpoken, SpokenProblem(Problem::Of(3, Operator::Addition, 4)));
        // Every fact asked was answered quickly today, after two earlier
        // days: learnt.
        const QSet<QString> learnt(asked.begin() + 1, asked.end());
        QVERIFY2(ending.startsWith(QStringLiteral("新学会 %1 个：").arg(learnt.size())), qPrintable(ending));
        for (const QString &fact : learnt)
            QVERIFY2(ending.contains(fact), qPrintable(fact));
        // 90 % of the unit's facts known is the unit mastered, and the next
        // one is told.
        QCOMPARE(celebrated, learnt.size() * 10 >= UnitFacts(unit).size() * 9
                                 ? QStringLiteral("20以内进位加法 · 8、7、6加几 已经掌握了！明天开始练 "
                                                  "20以内进位加法 · 5、4、3、2加几")
                                 : QString());
        QCOMPARE(menu.SpeedButton12->accessibleDescription(), QStringLiteral("今天的练习已完成"));

        // The 错题本 took her answer as the review of the day.
        Notebook reviewed(notebookPath);
        QVERIFY(!reviewed.Load());
        QVERIFY(reviewed.DueIndexes(today).isEmpty());
        QVERIFY2(notices.seen.isEmpty(), qPrintable(notices.texts().join(u'\n')));
    }

private:
    QString root_;
};

QTEST_MAIN(tst_TForm7)
#include "tst_tform7.moc"
