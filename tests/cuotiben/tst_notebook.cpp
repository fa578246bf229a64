#include "arithmetic/ProblemTexts.h"
#include "cuotiben/Notebook.h"
#include "cuotiben/NotebookLine.h"
#include "support/AsNobody.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QStringDecoder>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kMonday(2024, 3, 4);

const ArithProblem kNineThrees{9, Operator::Multiplication, 3, 27};
const ArithProblem kFortyLessSeventeen{40, Operator::Subtraction, 17, 23};
const ArithProblem kFiftySixEights{56, Operator::Division, 8, 7};

QByteArray LineOf(const NotebookEntry &entry)
{
    return NotebookLine::Write(entry) + "\r\n";
}

QStringList Problems(const Notebook &notebook)
{
    QStringList problems;
    for (const NotebookEntry &entry : notebook.Entries()) {
        problems << RecordLine(entry.Problem, QString()).chopped(1);
    }
    return problems;
}

// What the error box would show, or nothing once saved.
std::optional<QString> SaveText(Notebook &notebook)
{
    const std::optional<StoreFile::SaveFailure> failure = notebook.Save();
    return failure ? std::optional<QString>(failure->text) : std::nullopt;
}

// So that the notebook's folder takes the lock file of any user.
void OpenToEveryone(const QString &folder)
{
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::WriteOther | QFileDevice::ExeOther));
}

}  // namespace

class tst_Notebook : public QObject {
    Q_OBJECT

private slots:
    void init();

    void missesAreKeptAndReadBack();
    void aProblemIsKeptOnceAndStartsOverWhenMissedAgain();
    void reviewsMoveEntriesOn();
    void oldEntriesClimbTheLongerLadder();
    void aSolidFactConquersItsEntry();
    void twoCopiesKeepEachOthersChanges();
    void copiesSavingInTurnsLoseNothing();
    void linesItCannotReadAreKeptByteForByte();
    void aFileThatCannotBeReadIsNeverWrittenOver();
    void aFullDiskLeavesTheOldFileAndKeepsTheChanges();
    void aReadOnlyFileIsLeftAlone();
    void aMissingFolderIsReported();
    void aLinkIsNeverWrittenThrough();
    void nothingUnsavedWritesNothing();
    void aNotebookSavedAsUtf8IsReadAndKeptAsUtf8_data();
    void aNotebookSavedAsUtf8IsReadAndKeptAsUtf8();

private:
    QString path() const { return Notebook::PathIn(dir_->path()); }
    QString shownPath() const { return QDir::toNativeSeparators(path()); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_Notebook::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void tst_Notebook::missesAreKeptAndReadBack()
{
    QCOMPARE(QFileInfo(path()).fileName(), QStringLiteral("cuoti.zerk"));
    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    QVERIFY(notebook.Entries().isEmpty());

    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    notebook.NoteMiss(kFortyLessSeventeen, QStringLiteral("07"), MissSource::Competition, kMonday);
    notebook.NoteMiss(kFiftySixEights, QString(), MissSource::Exam, kMonday);
    QVERIFY(notebook.HasUnsavedChanges());
    QVERIFY(!QFile::exists(path()));
    QCOMPARE(SaveText(notebook), std::nullopt);
    QVERIFY(!notebook.HasUnsavedChanges());

    QByteArray expected;
    for (const NotebookEntry &entry : notebook.Entries())
        expected += LineOf(entry);
    QCOMPARE(TestFiles::ReadAll(path()), expected);
    QCOMPARE(expected.count("\r\n"), 3);

    Notebook again(path());
    QCOMPARE(again.Load(), std::nullopt);
    QCOMPARE(Problems(again), (QStringList{"9*3", "40-17", "56/8"}));
    const NotebookEntry *exam = again.Find(kFiftySixEights);
    QVERIFY(exam);
    QCOMPARE(exam->Answer, QString());
    QCOMPARE(exam->Source, MissSource::Exam);
    QCOMPARE(exam->Due, kMonday.addDays(1));
    QCOMPARE(again.DueIndexes(kMonday), QList<int>{});
    QCOMPARE(again.DueIndexes(kMonday.addDays(1)), (QList<int>{0, 1, 2}));
}

void tst_Notebook::aProblemIsKeptOnceAndStartsOverWhenMissedAgain()
{
    Notebook notebook(path());
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), kMonday.addDays(1));
    QCOMPARE(notebook.Find(kNineThrees)->RightCount, 1);
    notebook.NoteMiss(kFortyLessSeventeen, QStringLiteral("33"), MissSource::Practice, kMonday);

    // The same problem from an exam three days later: one entry, begun anew.
    notebook.NoteMiss(kNineThrees, QStringLiteral("\t26\r\n"), MissSource::Exam, kMonday.addDays(3));
    QCOMPARE(notebook.Entries().size(), 2);
    const NotebookEntry &entry = notebook.Entries().first();
    QCOMPARE(entry.Answer, QStringLiteral(" 26  "));
    QCOMPARE(entry.Missed, kMonday.addDays(3));
    QCOMPARE(entry.Source, MissSource::Exam);
    QCOMPARE(entry.RightCount, 0);
    QCOMPARE(entry.Due, kMonday.addDays(4));

    // 3*9 is another problem.
    notebook.NoteMiss({3, Operator::Multiplication, 9, 27}, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(notebook.Entries().size(), 3);
    QCOMPARE(SaveText(notebook), std::nullopt);
    QCOMPARE(TestFiles::ReadAll(path()).count("\r\n"), 3);
}

void tst_Notebook::reviewsMoveEntriesOn()
{
    {
        Notebook notebook(path());
        notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
        notebook.NoteMiss(kFortyLessSeventeen, QStringLiteral("33"), MissSource::Practice, kMonday);
        QCOMPARE(SaveText(notebook), std::nullopt);
    }
    const QDate tuesday = kMonday.addDays(1);
    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), tuesday);
    notebook.NoteReview(kFortyLessSeventeen, false, QStringLiteral("24"), tuesday);
    // A problem the notebook does not hold is not added by a review.
    notebook.NoteReview(kFiftySixEights, false, QStringLiteral("6"), tuesday);
    QCOMPARE(SaveText(notebook), std::nullopt);

    Notebook again(path());
    QCOMPARE(again.Load(), std::nullopt);
    QCOMPARE(again.Entries().size(), 2);
    QCOMPARE(again.Find(kNineThrees)->Due, kMonday.addDays(4));
    QCOMPARE(again.Find(kNineThrees)->Answer, QStringLiteral("28"));
    QCOMPARE(again.Find(kFortyLessSeventeen)->Due, kMonday.addDays(2));
    QCOMPARE(again.Find(kFortyLessSeventeen)->Answer, QStringLiteral("24"));
    QCOMPARE(again.DueIndexes(tuesday), QList<int>{});
    QCOMPARE(again.ConqueredCount(), 0);
}

// Lines an older copy wrote on its 1/3/7 ladder: one part-way goes on to
// the 14- and 30-day reviews; one it conquered after three stays so, byte
// for byte.
void tst_Notebook::oldEntriesClimbTheLongerLadder()
{
    const QByteArray oldLines("2024-03-04\t\xc1\xb7\xcf\xb0\t9*3\t28\t2\t2024-03-15\r\n"
                              "2024-03-04\t\xbf\xbc\xca\xd4\t56/8\t\t3\t\xd2\xd1\xcf\xfb\xc3\xf0\r\n");
    QVERIFY(TestFiles::WriteAll(path(), oldLines));
    const QDate due(2024, 3, 15);
    {
        Notebook notebook(path());
        QCOMPARE(notebook.Load(), std::nullopt);
        QCOMPARE(notebook.DueIndexes(due), QList<int>{0});
        QCOMPARE(notebook.ConqueredCount(), 1);
        notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), due);
        QCOMPARE(SaveText(notebook), std::nullopt);
    }
    QCOMPARE(TestFiles::ReadAll(path()), QByteArray(oldLines).replace("\t2\t2024-03-15", "\t3\t2024-03-29"));
    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), QDate(2024, 3, 29));
    QCOMPARE(notebook.Find(kNineThrees)->Due, QDate(2024, 4, 28));
    notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), QDate(2024, 4, 28));
    QVERIFY(notebook.Find(kNineThrees)->Conquered());
    QCOMPARE(notebook.ConqueredCount(), 2);
}

void tst_Notebook::aSolidFactConquersItsEntry()
{
    {
        Notebook notebook(path());
        notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
        notebook.NoteMiss(kFortyLessSeventeen, QStringLiteral("33"), MissSource::Practice, kMonday);
        notebook.NoteSolid(Problem::From(kNineThrees), kMonday.addDays(9));
        // A problem the notebook does not hold is not added.
        notebook.NoteSolid(Problem::From(kFiftySixEights), kMonday.addDays(9));
        QCOMPARE(SaveText(notebook), std::nullopt);
    }
    Notebook again(path());
    QCOMPARE(again.Load(), std::nullopt);
    QCOMPARE(again.Entries().size(), 2);
    QVERIFY(again.Find(kNineThrees)->Conquered());
    QVERIFY(!again.Find(kFortyLessSeventeen)->Conquered());
}

// A child who starts the program twice: each copy notes and saves in turn,
// and neither loses what the other wrote, nor counts a review twice.
void tst_Notebook::twoCopiesKeepEachOthersChanges()
{
    Notebook first(path());
    Notebook second(path());
    QCOMPARE(first.Load(), std::nullopt);
    QCOMPARE(second.Load(), std::nullopt);

    first.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    second.NoteMiss(kFortyLessSeventeen, QStringLiteral("33"), MissSource::Competition, kMonday);
    QCOMPARE(SaveText(first), std::nullopt);
    QCOMPARE(SaveText(second), std::nullopt);
    QCOMPARE(Problems(second), (QStringList{"9*3", "40-17"}));

    const QDate tuesday = kMonday.addDays(1);
    first.NoteReview(kNineThrees, true, QStringLiteral("27"), tuesday);
    second.NoteReview(kNineThrees, true, QStringLiteral("27"), tuesday);
    second.NoteMiss(kFiftySixEights, QStringLiteral("8"), MissSource::Exam, tuesday);
    QCOMPARE(SaveText(first), std::nullopt);
    QCOMPARE(SaveText(second), std::nullopt);
    first.NoteMiss(kFiftySixEights, QStringLiteral("9"), MissSource::Practice, tuesday);
    QCOMPARE(SaveText(first), std::nullopt);

    Notebook reader(path());
    QCOMPARE(reader.Load(), std::nullopt);
    QCOMPARE(Problems(reader), (QStringList{"9*3", "40-17", "56/8"}));
    QCOMPARE(reader.Find(kNineThrees)->RightCount, 1);
    QCOMPARE(reader.Find(kNineThrees)->Due, kMonday.addDays(4));
    QCOMPARE(reader.Find(kFiftySixEights)->Answer, QStringLiteral("9"));
    QCOMPARE(TestFiles::ReadAll(path()).count("\r\n"), 3);
    QVERIFY(!QFile::exists(path() + QStringLiteral(".lock")));
}

// Real processes saving into one file at the same moment, each after every
// miss: the lock and the fresh read keep every one of them. A save that
// finds the lock busy keeps its changes for the next one, and the last is
// tried again until it is through, as the program's retry does.
void tst_Notebook::copiesSavingInTurnsLoseNothing()
{
    constexpr int kCopies = 3;
    constexpr int kMissesEach = 15;
    QList<pid_t> children;
    for (int copy = 0; copy < kCopies; ++copy) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            Notebook notebook(path());
            for (int i = 1; i <= kMissesEach; ++i) {
                notebook.NoteMiss({copy + 1, Operator::Addition, i, copy + 1 + i}, QStringLiteral("0"),
                                  MissSource::Practice, kMonday);
                (void)SaveText(notebook);
                // A child answers one problem at a time; the others save meanwhile.
                ::usleep(20000);
            }
            for (int tries = 0; tries < 250 && notebook.HasUnsavedChanges(); ++tries) {
                if (SaveText(notebook))
                    ::usleep(20000);
            }
            ::_exit(notebook.HasUnsavedChanges() ? 1 : 0);
        }
        children.append(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
    Notebook reader(path());
    QCOMPARE(reader.Load(), std::nullopt);
    QCOMPARE(reader.Entries().size(), kCopies * kMissesEach);
    QCOMPARE(TestFiles::ReadAll(path()).count("\r\n"), kCopies * kMissesEach);
}

void tst_Notebook::linesItCannotReadAreKeptByteForByte()
{
    NotebookEntry known;
    known.Problem = Problem::From(kNineThrees);
    known.Answer = QStringLiteral("28");
    known.Missed = kMonday;
    known.Due = kMonday.addDays(1);
    const QByteArray foreign[] = {
        QByteArray("\xef\xbb\xbf" "a line with a byte-order mark"),
        QByteArray("a NUL\0in the middle", 19),
        QByteArray("\xff\xfe not GBK \x81"),
        NotebookLine::Write(known),  // a second line for a known problem
    };
    const QByteArray original = NotebookLine::Write(known) + "\r\n" + foreign[0] + "\n" + foreign[1] + "\r" +
                                foreign[2] + "\r\n" + foreign[3];
    QVERIFY(TestFiles::WriteAll(path(), original));

    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    QCOMPARE(notebook.Entries().size(), 1);
    notebook.NoteReview(kNineThrees, true, QStringLiteral("27"), kMonday.addDays(1));
    notebook.NoteMiss(kFiftySixEights, QStringLiteral("8"), MissSource::Exam, kMonday);
    QCOMPARE(SaveText(notebook), std::nullopt);

    QByteArray expected = LineOf(notebook.Entries().at(0));
    for (const QByteArray &line : foreign)
        expected += line + "\r\n";
    expected += LineOf(notebook.Entries().at(1));
    QCOMPARE(TestFiles::ReadAll(path()), expected);
}

// A FIFO, a folder in the file's place: neither can be read whole, so
// neither is replaced. The changes wait for a file that can be read.
void tst_Notebook::aFileThatCannotBeReadIsNeverWrittenOver()
{
    QCOMPARE(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    Notebook notebook(path());
    QCOMPARE(notebook.Load(), QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(shownPath()));
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(SaveText(notebook), QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(shownPath()));
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(path()).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QVERIFY(notebook.HasUnsavedChanges());

    QVERIFY(QFile::remove(path()));
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("cuoti.zerk")));
    QVERIFY(SaveText(notebook));
    QVERIFY(QFileInfo(path()).isDir());

    QVERIFY(QDir(dir_->path()).rmdir(QStringLiteral("cuoti.zerk")));
    QVERIFY(TestFiles::WriteAll(path(), QByteArray()));
    QCOMPARE(SaveText(notebook), std::nullopt);
    QCOMPARE(TestFiles::ReadAll(path()), LineOf(notebook.Entries().at(0)));

    // A file its reader may write but not read.
    OpenToEveryone(dir_->path());
    QVERIFY(QFile::setPermissions(path(), QFileDevice::WriteOwner | QFileDevice::WriteOther));
    notebook.NoteMiss(kFiftySixEights, QStringLiteral("8"), MissSource::Exam, kMonday);
    {
        AsNobody nobody;
        QCOMPARE(SaveText(notebook), QStringLiteral("Cannot open file \"%1\". Permission denied").arg(shownPath()));
    }
    QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(TestFiles::ReadAll(path()), LineOf(notebook.Entries().at(0)));
}

void tst_Notebook::aFullDiskLeavesTheOldFileAndKeepsTheChanges()
{
    Notebook notebook(path());
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(SaveText(notebook), std::nullopt);
    const QByteArray before = TestFiles::ReadAll(path());

    // Enough misses to pass Qt's 16 KB write buffer.
    for (int i = 1; i <= 1000; ++i)
        notebook.NoteMiss({i, Operator::Addition, i, 2 * i}, QStringLiteral("1"), MissSource::Practice, kMonday);
    std::optional<QString> error;
    {
        FullDisk full(64);
        error = SaveText(notebook);
    }
    QVERIFY(error);
    QVERIFY2(error->startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(shownPath())), qPrintable(*error));
    QCOMPARE(TestFiles::ReadAll(path()), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cuoti.zerk"});
    QVERIFY(notebook.HasUnsavedChanges());

    QCOMPARE(SaveText(notebook), std::nullopt);
    Notebook again(path());
    QCOMPARE(again.Load(), std::nullopt);
    QCOMPARE(again.Entries().size(), 1001);
}

void tst_Notebook::aReadOnlyFileIsLeftAlone()
{
    Notebook notebook(path());
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(SaveText(notebook), std::nullopt);
    const QByteArray before = TestFiles::ReadAll(path());
    QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    OpenToEveryone(dir_->path());
    notebook.NoteMiss(kFiftySixEights, QStringLiteral("8"), MissSource::Exam, kMonday);
    std::optional<QString> error;
    {
        AsNobody nobody;
        error = SaveText(notebook);
    }
    QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". Permission denied").arg(shownPath()));
    QCOMPARE(TestFiles::ReadAll(path()), before);
    QVERIFY(notebook.HasUnsavedChanges());
}

void tst_Notebook::aLinkIsNeverWrittenThrough()
{
    const QString outside = dir_->filePath(QStringLiteral("program.bin"));
    const QByteArray binary(300, '\x7f');
    QVERIFY(TestFiles::WriteAll(outside, binary));
    QVERIFY(QFile::link(outside, path()));
    Notebook notebook(path());
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(SaveText(notebook), QStringLiteral("Cannot open file \"%1\". Is a symbolic link").arg(shownPath()));
    QCOMPARE(TestFiles::ReadAll(outside), binary);
    QVERIFY(notebook.HasUnsavedChanges());
}

void tst_Notebook::aMissingFolderIsReported()
{
    const QString missing = Notebook::PathIn(dir_->filePath(QStringLiteral("database")));
    Notebook notebook(missing);
    QCOMPARE(notebook.Load(), std::nullopt);
    notebook.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    QCOMPARE(SaveText(notebook), QStringLiteral("Cannot create file \"%1\". No such file or directory")
                                  .arg(QDir::toNativeSeparators(missing)));
    QVERIFY(!QFileInfo::exists(QFileInfo(missing).absolutePath()));
    QCOMPARE(notebook.Entries().size(), 1);
}

void tst_Notebook::nothingUnsavedWritesNothing()
{
    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    QCOMPARE(SaveText(notebook), std::nullopt);
    QVERIFY(!QFile::exists(path()));
}

// As an editor saves the notebook, with or without a byte-order mark.
void tst_Notebook::aNotebookSavedAsUtf8IsReadAndKeptAsUtf8_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("with a mark") << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("without") << QByteArray();
}

void tst_Notebook::aNotebookSavedAsUtf8IsReadAndKeptAsUtf8()
{
    QFETCH(QByteArray, mark);
    const auto utf8 = [](const NotebookEntry &entry) {
        QStringDecoder gbk("GBK");
        return QString(gbk(NotebookLine::Write(entry))).toUtf8() + "\r\n";
    };
    Notebook writer(path());
    writer.NoteMiss(kNineThrees, QStringLiteral("28"), MissSource::Practice, kMonday);
    writer.NoteMiss(kFiftySixEights, QString(), MissSource::Exam, kMonday);
    const QByteArray before =
        mark + utf8(writer.Entries().at(0)) + "我的错题 ✓\r\n" + utf8(writer.Entries().at(1));
    QVERIFY(TestFiles::WriteAll(path(), before));

    Notebook notebook(path());
    QCOMPARE(notebook.Load(), std::nullopt);
    QCOMPARE(Problems(notebook), (QStringList{"9*3", "56/8"}));
    notebook.NoteMiss(kFortyLessSeventeen, QStringLiteral("二十"), MissSource::Competition, kMonday);
    QCOMPARE(SaveText(notebook), std::nullopt);
    QCOMPARE(TestFiles::ReadAll(path()), before + utf8(notebook.Entries().at(2)));
}

QTEST_GUILESS_MAIN(tst_Notebook)
#include "tst_notebook.moc"
