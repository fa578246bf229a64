#include "arithmetic/ProblemTexts.h"
#include "cuotiben/Notebook.h"
#include "kaochang/TForm4.h"
#include "lianxi/DrillMode.h"
#include "lianxi/TForm2.h"
#include "widgets/FormRefs.h"
#include "storage/InstallFolder.h"
#include "shell/ModuleWindows.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

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

}  // namespace

class tst_ModuleWindows : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // A portable folder of the test's own: its user's files beside it.
    InstallFolder Folder() const { return InstallFolder::Decide(dir_.path(), dir_.filePath(QStringLiteral("none"))); }
    QString NotebookPath() const { return Notebook::PathIn(Folder().UserDatabaseFolder()); }

    QList<NotebookEntry> Saved() const
    {
        Notebook saved(NotebookPath());
        if (saved.Load())
            return {};
        return saved.Entries();
    }

private slots:
    void init()
    {
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("Sound")));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("database")));
        QFile::remove(NotebookPath());
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
        QStringList lines;
        for (const NotebookEntry &entry : Saved()) {
            lines << Typed(entry);
            QCOMPARE(entry.Source, MissSource::Exam);
        }
        QCOMPARE(lines, missed);
        QCOMPARE(Saved().last().Answer, QString());
    }

    // One error box for the whole visit, and the drill goes on.
    void aNotebookThatCannotBeWrittenNeverStopsTheDrill()
    {
        QVERIFY(QDir(Folder().UserDatabaseFolder()).mkdir(QStringLiteral("cuoti.zerk")));
        NoticeRecorder notices;
        CueRecorder cues;
        int wrongCount = 0;
        bool tookAnswers = false;
        WhenTheWindowIsUp([&] {
            TForm2 &drill = *Form2;
            QTest::mouseClick(drill.SpeedButton4, Qt::LeftButton);
            for (int i = 0; i < 3; ++i) {
                AnswerWrongByKeypad(drill);
                QCoreApplication::processEvents();
            }
            wrongCount = drill.Session().Tally().WrongCount();
            tookAnswers = drill.SpeedButton15->isEnabled() && !drill.Edit1->isReadOnly();
            QTest::mouseClick(drill.SpeedButton1, Qt::LeftButton);
        });
        ModuleWindows::OpenDrill(DrillMode::Practice, Folder());
        QCOMPARE(wrongCount, 3);
        QVERIFY(tookAnswers);
        QCOMPARE(notices.seen.size(), 1);
        QCOMPARE(notices.seen.front().first, Notices::Kind::Error);
        QCOMPARE(notices.seen.front().second,
                 QStringLiteral("Cannot open file \"%1\". Not a regular file.").arg(QDir::toNativeSeparators(NotebookPath())));
        QVERIFY(QDir(Folder().UserDatabaseFolder()).rmdir(QStringLiteral("cuoti.zerk")));
    }
};

QTEST_MAIN(tst_ModuleWindows)
#include "tst_modulewindows.moc"
