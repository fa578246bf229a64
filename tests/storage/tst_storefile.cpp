#include "storage/StoreFile.h"
#include "support/FailingCalls.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using TestFiles::ReadAll;
using TestFiles::WriteAll;

class tst_StoreFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void writesTheWholeContent();
    void aFullDiskKeepsTheOldFile_data();
    void aFullDiskKeepsTheOldFile();
    void aMissingFolderIsReported();
    void readsAFileButNeverALink();
    void refusesWhatIsNotARegularFileAtOnce();
    void aPlantedLinkIsNeverWrittenThrough_data();
    void aPlantedLinkIsNeverWrittenThrough();
    void aFailedFlushOrRenameKeepsTheOldFile_data();
    void aFailedFlushOrRenameKeepsTheOldFile();
    void aSecondLockWaitsForTheFirst();
    void aLockNoProcessHoldsIsTakenOverAtOnce_data();
    void aLockNoProcessHoldsIsTakenOverAtOnce();
    void newFilesLeftByAKilledSaveAreRemoved();
    void aLockThatCannotBeWrittenSaysWhy();
    void aLockFileRemovedByItsHolderIsNeverTheOneHeld();
    void aReadOnlyFileIsKeptEvenForRoot();

private:
    QString path() const { return dir_->filePath(QStringLiteral("store.txt")); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_StoreFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void tst_StoreFile::writesTheWholeContent()
{
    QVERIFY(WriteAll(path(), "old content that is longer\r\n"));
    QCOMPARE(StoreFile::WriteWhole(path(), "new\r\n"), std::nullopt);
    QCOMPARE(ReadAll(path()), QByteArray("new\r\n"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store.txt"});
}

// Qt buffers 16 KB before it writes; the refusal must be seen on both sides
// of that size.
void tst_StoreFile::aFullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("below the buffer") << 1693;
    QTest::newRow("above the buffer") << 40000;
}

void tst_StoreFile::aFullDiskKeepsTheOldFile()
{
    QFETCH(int, size);
    const QByteArray old("old\r\n");
    QVERIFY(WriteAll(path(), old));
    std::optional<QString> error;
    {
        FullDisk full(64);
        error = StoreFile::WriteWhole(path(), QByteArray(size, 'x'));
    }
    QVERIFY(error);
    QVERIFY2(!error->isEmpty(), "the reason is given");
    QCOMPARE(ReadAll(path()), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store.txt"});
}

void tst_StoreFile::aMissingFolderIsReported()
{
    const QString missing = dir_->filePath(QStringLiteral("nowhere/store.txt"));
    const std::optional<QString> error = StoreFile::WriteWhole(missing, "a\r\n");
    QVERIFY(error);
    QVERIFY(!QFile::exists(missing));
    const StoreFile::ReadResult read = StoreFile::ReadWhole(missing);
    QCOMPARE(read.error, QStringLiteral("No such file or directory"));
}

// The user's files are never read through a link; the shipped ones are,
// but still only when they are regular files.
void tst_StoreFile::readsAFileButNeverALink()
{
    const QByteArray bytes("a\0b\r\n", 5);
    QVERIFY(WriteAll(path(), bytes));
    const StoreFile::ReadResult read = StoreFile::ReadWhole(path());
    QCOMPARE(read.error, std::nullopt);
    QCOMPARE(read.bytes, bytes);
    const QString link = dir_->filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path(), link));
    const QString inLinkedFolder = dir_->filePath(QStringLiteral("linked/store.txt"));
    QVERIFY(QFile::link(dir_->path(), dir_->filePath(QStringLiteral("linked"))));
    const QString fifo = dir_->filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString linkedFifo = dir_->filePath(QStringLiteral("fifo-link"));
    QVERIFY(QFile::link(fifo, linkedFifo));

    QCOMPARE(StoreFile::ReadWhole(link).error, QStringLiteral("Is a symbolic link"));
    QCOMPARE(StoreFile::ReadWhole(inLinkedFolder).error, QStringLiteral("Its folder is a symbolic link"));
    for (const QString &shipped : {link, inLinkedFolder}) {
        const StoreFile::ReadResult through = StoreFile::ReadWhole(shipped, StoreFile::Links::Followed);
        QCOMPARE(through.error, std::nullopt);
        QCOMPARE(through.bytes, bytes);
    }
    QCOMPARE(StoreFile::ReadWhole(linkedFifo, StoreFile::Links::Followed).error, QStringLiteral("Not a regular file"));
}

void tst_StoreFile::refusesWhatIsNotARegularFileAtOnce()
{
    const QString fifo = dir_->filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &name : {fifo, dir_->path()}) {
        const StoreFile::ReadResult read = StoreFile::ReadWhole(name);
        QCOMPARE(read.error, QStringLiteral("Not a regular file"));
    }
}

// Someone who may write the data folder plants a link where a file of the
// program's goes, to have the user's own file written over.
void tst_StoreFile::aPlantedLinkIsNeverWrittenThrough_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the store, to a file") << "store.txt" << "outside/bashrc" << "store.txt" << "Is a symbolic link";
    QTest::newRow("the store, to nothing yet") << "store.txt" << "outside/new" << "store.txt" << "Is a symbolic link";
    QTest::newRow("the lock") << "store.txt.lock" << "outside/bashrc" << "store.txt" << "Is a symbolic link";
    QTest::newRow("the folder") << "linked" << "outside" << "linked/store.txt" << "Its folder is a symbolic link";
}

void tst_StoreFile::aPlantedLinkIsNeverWrittenThrough()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QString, store);
    QFETCH(QString, reason);
    QDir outside(dir_->filePath(QStringLiteral("outside")));
    QVERIFY(outside.mkpath(QStringLiteral(".")));
    for (const char *name : {"bashrc", "store.txt"})
        QVERIFY(WriteAll(outside.filePath(QLatin1String(name)), "the user's own\n"));
    QVERIFY(QFile::link(dir_->filePath(target), dir_->filePath(link)));
    const QString storePath = dir_->filePath(store);

    const StoreFile::Lock lock(storePath);
    if (link.endsWith(QStringLiteral(".lock"))) {
        QCOMPARE(lock.Error(), reason);
    } else {
        QCOMPARE(StoreFile::WriteWhole(storePath, "★tip\r\n"), reason);
        QCOMPARE(StoreFile::ReadWhole(storePath).error, reason);
    }
    QCOMPARE(outside.entryList(QDir::Files | QDir::Hidden), (QStringList{"bashrc", "store.txt"}));
    for (const char *name : {"bashrc", "store.txt"})
        QCOMPARE(ReadAll(outside.filePath(QLatin1String(name))), QByteArray("the user's own\n"));
}

// The new file must be on the disk and in the old one's place before a save
// is done; a save whose flush or rename fails is not.
void tst_StoreFile::aFailedFlushOrRenameKeepsTheOldFile_data()
{
    QTest::addColumn<FailingCalls::Call>("call");
    QTest::addColumn<int>("error");
    QTest::newRow("flush") << FailingCalls::Call::Fsync << EIO;
    QTest::newRow("rename") << FailingCalls::Call::Rename << EXDEV;
}

void tst_StoreFile::aFailedFlushOrRenameKeepsTheOldFile()
{
    QFETCH(FailingCalls::Call, call);
    QFETCH(int, error);
    QVERIFY(WriteAll(path(), "old\r\n"));
    FailingCalls::FailNext(call, error);
    QCOMPARE(StoreFile::WriteWhole(path(), "new\r\n"), qt_error_string(error));
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store.txt"});
}

// Another process holds the lock for a while: a short wait gives up and
// says the lock was busy; a longer one waits until it is free.
void tst_StoreFile::aSecondLockWaitsForTheFirst()
{
    int held[2];
    QCOMPARE(::pipe(held), 0);
    const pid_t other = ::fork();
    QVERIFY(other >= 0);
    if (other == 0) {
        const StoreFile::Lock lock(path());
        (void)!::write(held[1], "x", 1);
        ::usleep(300000);
        ::_exit(lock.Error() ? 1 : 0);
    }
    char byte = 0;
    QCOMPARE(::read(held[0], &byte, 1), 1);
    QElapsedTimer waited;
    waited.start();
    {
        const StoreFile::Lock quick(path());
        QVERIFY(quick.Busy());
        QCOMPARE(quick.Error(), QStringLiteral("The file is being saved by another copy of the program"));
    }
    QVERIFY2(waited.elapsed() < 100, qPrintable(QString::number(waited.elapsed())));
    const StoreFile::Lock patient(path(), std::chrono::seconds(5));
    QCOMPARE(patient.Error(), std::nullopt);
    QVERIFY2(waited.elapsed() >= 150, qPrintable(QString::number(waited.elapsed())));
    int status = 0;
    QCOMPARE(::waitpid(other, &status, 0), other);
    QCOMPARE(WEXITSTATUS(status), 0);
    ::close(held[0]);
    ::close(held[1]);
}

void tst_StoreFile::aLockNoProcessHoldsIsTakenOverAtOnce_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\xff\x00garbage\n", 10);
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    QTest::newRow("a copy that died") << QByteArray::number(gone) + "\nnumbrook\nthis-machine\n";
}

void tst_StoreFile::aLockNoProcessHoldsIsTakenOverAtOnce()
{
    QFETCH(QByteArray, content);
    QVERIFY(WriteAll(path() + ".lock", content));
    QElapsedTimer waited;
    waited.start();
    {
        const StoreFile::Lock lock(path(), std::chrono::milliseconds(0));
        QCOMPARE(lock.Error(), std::nullopt);
    }
    QVERIFY2(waited.elapsed() < 100, qPrintable(QString::number(waited.elapsed())));
    QVERIFY(!QFile::exists(path() + ".lock"));
}

// The copy holding the lock lets go, removing the lock file, just after
// this one opened it, and a third copy takes the lock on a new file: the
// lock on the removed file locks nothing, and this copy waits for the third.
void tst_StoreFile::aLockFileRemovedByItsHolderIsNeverTheOneHeld()
{
    std::optional<StoreFile::Lock> holder(std::in_place, path());
    QCOMPARE(holder->Error(), std::nullopt);
    std::optional<StoreFile::Lock> third;
    FailingCalls::BeforeNextFlock([&] {
        holder.reset();
        third.emplace(path(), std::chrono::milliseconds(0));
    });
    {
        const StoreFile::Lock next(path(), std::chrono::milliseconds(50));
        QCOMPARE(third->Error(), std::nullopt);
        QVERIFY(next.Busy());
    }
    third.reset();
    const StoreFile::Lock last(path(), std::chrono::milliseconds(0));
    QCOMPARE(last.Error(), std::nullopt);
}

void tst_StoreFile::newFilesLeftByAKilledSaveAreRemoved()
{
    for (const char *name : {"store.txt.new-jaGRPB", "store.txt.backup", "other.txt.new-jaGRPB"})
        QVERIFY(WriteAll(dir_->filePath(QLatin1String(name)), "x"));
    { const StoreFile::Lock lock(path()); }
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"other.txt.new-jaGRPB", "store.txt.backup"}));
}

void tst_StoreFile::aLockThatCannotBeWrittenSaysWhy()
{
    const StoreFile::Lock withoutFolder(dir_->filePath(QStringLiteral("nowhere/store.txt")));
    QCOMPARE(withoutFolder.Error(), QStringLiteral("No such file or directory"));

    std::optional<QString> error;
    {
        FullDisk full(4);
        const StoreFile::Lock onAFullDisk(path());
        error = onAFullDisk.Error();
    }
    QCOMPARE(error, QStringLiteral("File too large"));
    QVERIFY(!QFile::exists(path() + ".lock"));
}

// The owner's write bit decides, so root, who may write anything, is
// refused too.
void tst_StoreFile::aReadOnlyFileIsKeptEvenForRoot()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(StoreFile::WriteWhole(path(), "new\r\n"), QStringLiteral("Permission denied"));
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store.txt"});
}

QTEST_GUILESS_MAIN(tst_StoreFile)
#include "tst_storefile.moc"
