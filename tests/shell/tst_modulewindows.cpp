#include "arithmetic/ProblemTexts.h"
#include "cuotiben/Notebook.h"
#include "cuotiben/NotebookListView.h"
#include "cuotiben/TForm5.h"
#include "kaochang/RecipeStore.h"
#include "kaochang/TForm4.h"
#include "kebiao/PresetMemory.h"
#include "lianxi/DrillMode.h"
#include "lianxi/TForm2.h"
#include "widgets/FormRefs.h"
#include "storage/ChildList.h"
#include "storage/HistoryQueries.h"
#include "storage/HistoryStore.h"
#include "storage/InstallFolder.h"
#include "shell/ModuleWindows.h"
#include "support/FullDisk.h"
#include "support/Recorders.h"
#include "support/TestFiles.h"
#include "widgets/ChildBadge.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

namespace {

// Runs steps inside the modal loop of the window the next visit opens, as a
// child works it; a guard closes a window the steps leave open.
void WhenTheWindowIsUp(const std::function<void()> &steps)
{
    QTimer::singleShot(0, steps);
    QTimer::singleShot(10000, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
}

// Answers the drill's problem on show wrongly by the keypad (the answer plus
// one), or as typed on the keyboard.
void AnswerWrongByKeypad(TForm2 &drill)
{
    const QString wrong = QString::number(drill.Session().Problem().Answer + 1);
    for (QChar digit : wrong)
        QTest::mouseClick(drill.findChild<FlatButton *>(QStringLiteral("SpeedButton%1").arg(5 + digit.digitValue())),
                          Qt::LeftButton);
    QTest::mouseClick(drill.SpeedButton15, Qt::LeftButton);
}

void AnswerByKeyboard(TForm2 &drill, const QString &typed)
{
    QTest::keyClicks(drill.Edit1, typed);
    QTest::keyClick(drill.Edit1, Qt::Key_Return);
}

QString Typed(const NotebookEntry &entry)
{
    return RecordLine(entry.Problem, entry.Answer);
}

// Misses count different problems by the keypad, answering a problem
// missed before right; after each answer the event loop runs for a while.
void MissDifferentProblems(TForm2 &drill, int count, int pauseMs = 0)
{
    QStringList missed;
    while (missed.size() < count) {
        const ArithProblem problem = drill.Session().Problem();
        const QString text = RecordLine(problem, QString());
        if (missed.contains(text)) {
            AnswerByKeyboard(drill, QString::number(problem.Answer));
        } else {
            missed << text;
            AnswerWrongByKeypad(drill);
        }
        QTest::qWait(pauseMs);
    }
}

}  // namespace

class tst_ModuleWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::pair<int, int> historyBefore_;

    // A portable folder of the test's own: its user's files beside it.
    InstallFolder Folder() const { return InstallFolder::Decide(dir_->path(), dir_->filePath(QStringLiteral("none"))); }
    QString NotebookPath() const { return Notebook::PathIn(Folder().UserDatabaseFolder()); }

    // Today's figures in the history, as a second copy of the program reads them.
    Figures HistoryToday() const
    {
        HistoryStore history(HistoryStore::PathIn(Folder().UserDatabaseFolder()));
        if (!history.Open())
            return {};
        const QList<DayFigures> days = HistoryQueries::PerDay(history, 1, QDate::currentDate(), QDate::currentDate());
        return days.isEmpty() ? Figures() : static_cast<Figures>(days.first());
    }

    QList<NotebookEntry> Saved() const
    {
        Notebook saved(NotebookPath());
        if (saved.Load())
            return {};
        return saved.Entries();
    }

private slots:
    // A folder of its own for each test, and so a notebook the program
    // keeps for it alone.
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("Sound")));
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("database")));
        const Figures before = HistoryToday();
        historyBefore_ = {before.total, before.right};
    }

    void drillMissesAreKeptAtOnce_data()
    {
        QTest::addColumn<DrillMode>("mode");
        QTest::addColumn<MissSource>("source");
        QTest::newRow("practice") << DrillMode::Practice << MissSource::Practice;
        QTest::newRow("competition") << DrillMode::Competition << MissSource::Competition;
    }

    // Each wrong answer is in the file before the window is left.
    void drillMissesAreKeptAtOnce()
    {
        QFETCH(DrillMode, mode);
        QFETCH(MissSource, source);
        NoticeRecorder notices;
        CueRecorder cues;
        QStringList missed;
        qsizetype savedWhileOpen = -1;
        int answeredRightCount = 0;
        WhenTheWindowIsUp([&] {
            TForm2 &drill = *Form2;
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            // Three different problems missed, one by the keypad, two typed
            // with a leading zero; one answered right in between.
            QStringList problems;
            bool answeredRight = false;
            while (missed.size() < 3) {
                const ArithProblem problem = drill.Session().Problem();
                const QString text = RecordLine(problem, QString());
                if (problems.contains(text) || (missed.size() == 1 && !answeredRight)) {
                    AnswerByKeyboard(drill, QString::number(problem.Answer));
                    answeredRight = true;
                    ++answeredRightCount;
                    continue;
                }
                problems << text;
                if (missed.isEmpty()) {
                    missed << RecordLine(problem, QString::number(problem.Answer + 1));
                    AnswerWrongByKeypad(drill);
                } else {
                    const QString typed = QLatin1Char('0') + QString::number(problem.Answer + 2);
                    missed << RecordLine(problem, typed);
                    AnswerByKeyboard(drill, typed);
                }
            }
            QCoreApplication::processEvents();
            savedWhileOpen = Saved().size();
            QTest::mouseClick(drill.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenDrill(mode, Folder());
        QCOMPARE(savedWhileOpen, 3);
        // Every checked answer reached the history, the right ones too.
        const Figures history = HistoryToday();
        QCOMPARE(history.total - historyBefore_.first, 3 + answeredRightCount);
        QCOMPARE(history.right - historyBefore_.second, answeredRightCount);
        QCOMPARE(history.timed - historyBefore_.first, 3 + answeredRightCount);
        QVERIFY(notices.seen.isEmpty());
        const QList<NotebookEntry> saved = Saved();
        QStringList lines;
        for (const NotebookEntry &entry : saved) {
            lines << Typed(entry);
            QCOMPARE(entry.Source, source);
            QCOMPARE(entry.Missed, QDate::currentDate());
            QCOMPARE(entry.Due, QDate::currentDate().addDays(1));
        }
        QCOMPARE(lines, missed);
    }

    void whoseTurnIsShown_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("shown");
        QTest::newRow("drill") << QStringLiteral("drill") << 0 << false;
        QTest::newRow("drill with a preset") << QStringLiteral("drill") << 6 << true;
        QTest::newRow("exam room") << QStringLiteral("exam") << 0 << false;
        QTest::newRow("exam room with a preset") << QStringLiteral("exam") << 6 << true;
        QTest::newRow("错题本") << QStringLiteral("notebook") << 0 << true;
    }

    // A sister cannot practise as her brother unawares: the window says
    // whose turn it is, in the drill and the exam room with a preset only.
    void whoseTurnIsShown()
    {
        QFETCH(QString, window);
        QFETCH(int, preset);
        QFETCH(bool, shown);
        NoticeRecorder notices;
        CueRecorder cues;
        QVERIFY(TestFiles::WriteAll(ChildList::PathIn(Folder().SharedDatabaseFolder()),
                                    "当前\t2\r\n1\tpanda\t小明\r\n2\trabbit\t小雨\r\n"));
        const InstallFolder hers = Folder().ForChild(2);
        QVERIFY(!hers.PrepareChildFolder());
        const QString memory = PresetMemory::PathIn(hers.UserDatabaseFolder());
        QVERIFY(!PresetMemory::Write(memory, PresetMemory::Place::Drill, {preset, 0}));
        QVERIFY(!PresetMemory::Write(memory, PresetMemory::Place::Exam, {preset, 0}));
        std::optional<bool> visible;
        QString name;
        WhenTheWindowIsUp([&] {
            QWidget *modal = QApplication::activeModalWidget();
            const auto *badge = modal ? modal->findChild<ChildBadge *>() : nullptr;
            if (badge) {
                visible = badge->isVisible();
                name = badge->Name();
            }
            QTest::mouseClick(modal->findChild<FlatButton *>(QStringLiteral("SpeedButton1")), Qt::LeftButton);
        });
        if (window == u"drill")
            ModuleWindows::OpenDrill(DrillMode::Practice, hers);
        else if (window == u"exam")
            ModuleWindows::OpenExamRoom(hers);
        else
            ModuleWindows::OpenNotebook(hers);
        QCOMPARE(visible, std::optional<bool>(shown));
        QCOMPARE(name, QStringLiteral("小雨"));
    }

    // The recipe used last opens with the exam room; a unit (or free
    // practice) chosen in 课本同步 forgets it for the next visit.
    void theLastRecipeOpensWithTheExamRoom()
    {
        NoticeRecorder notices;
        CueRecorder cues;
        QVERIFY(!Folder().PrepareChildFolder());
        const QString recipes = RecipeStore::PathIn(Folder().UserDatabaseFolder());
        const QByteArray saved = "recipe\tA\tin-order\tp 18 0 10\r\n";
        QVERIFY(TestFiles::WriteAll(recipes, saved + "last\t期中口算 A\tin-order\tp 18 0 10\tc 100 0 10\r\n"));
        QString opened;
        QString afterFreePractice;
        WhenTheWindowIsUp([&] {
            auto *exam = qobject_cast<TForm4 *>(QApplication::activeModalWidget());
            if (!exam)
                return;
            opened = exam->Label123->text();
            QTimer::singleShot(0, [] {
                if (QWidget *chooser = QApplication::activeModalWidget())
                    QTest::mouseClick(chooser->findChild<FlatButton *>(QStringLiteral("SpeedButton2")), Qt::LeftButton);
            });
            QTest::mouseClick(exam->SpeedButton11, Qt::LeftButton);
            afterFreePractice = exam->Label123->text();
            QTest::mouseClick(exam->SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenExamRoom(Folder());
        QCOMPARE(opened, QStringLiteral("组卷：期中口算 A"));
        QCOMPARE(afterFreePractice, QString());
        QCOMPARE(TestFiles::ReadAll(recipes), saved);
        QVERIFY(notices.seen.isEmpty());
    }

    // Ten questions: two wrong, one left empty, the others right.
    void wrongAndEmptyExamAnswersAreKeptAtGrading()
    {
        NoticeRecorder notices;
        CueRecorder cues;
        QStringList missed;
        qsizetype savedBeforeGrading = -1;
        qsizetype savedAfterGrading = -1;
        WhenTheWindowIsUp([&] {
            TForm4 &exam = *Form4;
            QTest::mouseClick(exam.SpeedButton3, Qt::LeftButton);
            QTest::mouseClick(exam.SpeedButton5, Qt::LeftButton);
            // The last three different problems of the paper are missed, the
            // very last left empty; all the others are right.
            QList<int> wrongSlots;
            QStringList problems;
            for (int k = 9; k >= 0 && wrongSlots.size() < 3; --k) {
                const QString text = RecordLine(exam.Room().Paper().at(k).AsArithProblem(), QString());
                if (!problems.contains(text)) {
                    problems << text;
                    wrongSlots.prepend(k);
                }
            }
            for (int k = 0; k < 10; ++k) {
                const ArithProblem problem = exam.Room().Paper().at(k).AsArithProblem();
                const bool wrong = wrongSlots.contains(k);
                QString typed = QString::number(problem.Answer + (wrong ? 5 : 0));
                if (k == wrongSlots.last())
                    typed.clear();
                if (wrong)
                    missed << RecordLine(problem, typed);
                QTest::keyClicks(exam.AnswerBoxes[static_cast<std::size_t>(k)], typed);
            }
            QTest::keyClicks(exam.Edit51, QStringLiteral("Ming"));
            QTest::mouseClick(exam.SpeedButton7, Qt::LeftButton);
            QCoreApplication::processEvents();
            savedBeforeGrading = Saved().size();
            QTest::mouseClick(exam.SpeedButton6, Qt::LeftButton);
            QCoreApplication::processEvents();
            savedAfterGrading = Saved().size();
            QTest::mouseClick(exam.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenExamRoom(Folder());
        QCOMPARE(savedBeforeGrading, 0);
        QCOMPARE(savedAfterGrading, 3);
        const Figures history = HistoryToday();
        QCOMPARE(history.total - historyBefore_.first, 10);
        QCOMPARE(history.right - historyBefore_.second, 7);
        QStringList lines;
        for (const NotebookEntry &entry : Saved()) {
            lines << Typed(entry);
            QCOMPARE(entry.Source, MissSource::Exam);
        }
        QCOMPARE(lines, missed);
        QCOMPARE(Saved().last().Answer, QString());
    }

    // No box while the child drills; one when the window closes, and the
    // drill goes on.
    void aNotebookThatCannotBeWrittenNeverStopsTheDrill()
    {
        QVERIFY(QDir(Folder().UserDatabaseFolder()).mkdir(QStringLiteral("cuoti.zerk")));
        NoticeRecorder notices;
        CueRecorder cues;
        int wrongCount = 0;
        bool tookAnswers = false;
        qsizetype noticesWhileOpen = -1;
        WhenTheWindowIsUp([&] {
            TForm2 &drill = *Form2;
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            for (int i = 0; i < 3; ++i) {
                AnswerWrongByKeypad(drill);
                QCoreApplication::processEvents();
            }
            wrongCount = drill.Session().Tally().WrongCount();
            tookAnswers = drill.SpeedButton15->isEnabled() && !drill.Edit1->isReadOnly();
            noticesWhileOpen = notices.seen.size();
            QTest::mouseClick(drill.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenDrill(DrillMode::Practice, Folder());
        QCOMPARE(wrongCount, 3);
        QVERIFY(tookAnswers);
        QCOMPARE(noticesWhileOpen, 0);
        QCOMPARE(notices.seen.size(), 1);
        QCOMPARE(notices.seen.front().first, Notices::Kind::Error);
        QCOMPARE(notices.seen.front().second,
                 QStringLiteral("Cannot open file \"%1\". Not a regular file.").arg(QDir::toNativeSeparators(NotebookPath())));

        // The same failure is told once: closing a window that missed
        // nothing says nothing more.
        WhenTheWindowIsUp([] { QTest::mouseClick(Form2->SpeedButton1, Qt::LeftButton); });
        ModuleWindows::OpenDrill(DrillMode::Practice, Folder());
        QCOMPARE(notices.seen.size(), 1);
        QVERIFY(QDir(Folder().UserDatabaseFolder()).rmdir(QStringLiteral("cuoti.zerk")));
    }

    // A full disk through a whole drill: its misses wait in memory, and the
    // 错题本 window, opened once there is room again, shows and saves them.
    void missesAFullDiskRefusedGoInWithTheNextGoodSave()
    {
        NoticeRecorder notices;
        CueRecorder cues;
        qsizetype noticesWhileOpen = -1;
        std::optional<FullDisk> full(std::in_place, 1);
        WhenTheWindowIsUp([&] {
            TForm2 &drill = *Form2;
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            MissDifferentProblems(drill, 5);
            noticesWhileOpen = notices.seen.size();
            QTest::mouseClick(drill.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenDrill(DrillMode::Competition, Folder());
        full.reset();
        QCOMPARE(noticesWhileOpen, 0);
        // One box for the one full disk, the history's failure a paragraph
        // after the notebook's.
        QCOMPARE(notices.seen.size(), 1);
        const QStringList paragraphs = notices.texts().first().split(QStringLiteral("\n\n"));
        QCOMPARE(paragraphs.size(), 2);
        QCOMPARE(paragraphs.first(), QStringLiteral("Cannot create file \"%1\". File too large.")
                                         .arg(QDir::toNativeSeparators(NotebookPath())));
        QVERIFY(paragraphs.last().contains(
            QDir::toNativeSeparators(HistoryStore::PathIn(Folder().SharedDatabaseFolder()))));
        QVERIFY(Saved().isEmpty());

        int listed = -1;
        WhenTheWindowIsUp([&] {
            listed = Form5->ListView1->model()->rowCount();
            QTest::mouseClick(Form5->SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenNotebook(Folder());
        QCOMPARE(listed, 5);
        QCOMPARE(Saved().size(), 5);
        // Nothing more once the notebook is saved.
        QCOMPARE(notices.seen.size(), 1);
    }

    // Another copy holds the notebook's lock through five misses: the
    // window is never held up, and the misses are saved once it lets go.
    void aBusyLockNeverHoldsTheDrillUp()
    {
        // flock holds the lock itself until its command, reading the test's
        // pipe, ends.
        QProcess holder;
        holder.start(QStringLiteral("flock"), {QStringLiteral("-o"), NotebookPath() + QStringLiteral(".lock"),
                                               QStringLiteral("-c"), QStringLiteral("echo held; exec cat")});
        QVERIFY(holder.waitForReadyRead(5000));
        NoticeRecorder notices;
        CueRecorder cues;
        QElapsedTimer clock;
        qint64 lastTick = -1;
        qint64 longestGap = 0;
        QTimer ticks;
        ticks.setInterval(10);
        connect(&ticks, &QTimer::timeout, [&] {
            if (lastTick >= 0)
                longestGap = std::max(longestGap, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        WhenTheWindowIsUp([&] {
            TForm2 &drill = *Form2;
            clock.start();
            ticks.start();
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            MissDifferentProblems(drill, 5, 80);
            QTest::mouseClick(drill.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenDrill(DrillMode::Practice, Folder());
        QTest::qWait(50);
        ticks.stop();
        QVERIFY2(longestGap < 100, qPrintable(QStringLiteral("held up for %1 ms").arg(longestGap)));
        QVERIFY(notices.seen.isEmpty());
        QVERIFY(Saved().isEmpty());
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(5000));
        QTRY_COMPARE_WITH_TIMEOUT(Saved().size(), 5, 5000);
        QVERIFY(notices.seen.isEmpty());
    }
};

QTEST_MAIN(tst_ModuleWindows)
#include "tst_modulewindows.moc"
