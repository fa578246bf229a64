#include "storage/StoreFile.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void readsAFileOrALinkToOne();
    void refusesWhatIsNotARegularFileAtOnce();
    void aSecondLockWaitsForTheFirst();
    void aLockThatCannotBeWrittenSaysWhy();
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

void tst_StoreFile::readsAFileOrALinkToOne()
{
    QVERIFY(WriteAll(path(), QByteArray("a\0b\r\n", 5)));
    const QString link = dir_->filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path(), link));
    for (const QString &name : {path(), link}) {
        const StoreFile::ReadResult read = StoreFile::ReadWhole(name);
        QCOMPARE(read.error, std::nullopt);
        QCOMPARE(read.bytes, QByteArray("a\0b\r\n", 5));
    }
}

void tst_StoreFile::refusesWhatIsNotARegularFileAtOnce()
{
    const QString fifo = dir_->filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir_->filePath(QStringLiteral("link-to-fifo"));
    QVERIFY(QFile::link(fifo, link));
    for (const QString &name : {fifo, link, dir_->path()}) {
        const StoreFile::ReadResult read = StoreFile::ReadWhole(name);
        QCOMPARE(read.error, QStringLiteral("Not a regular file"));
    }
}

void tst_StoreFile::aSecondLockWaitsForTheFirst()
{
    {
        StoreFile::Lock first(path());
        QCOMPARE(first.Error(), std::nullopt);
        QVERIFY(QFile::exists(path() + ".lock"));
    }
    QVERIFY(!QFile::exists(path() + ".lock"));
    StoreFile::Lock again(path());
    QCOMPARE(again.Error(), std::nullopt);
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
// refused too; a link to a read-only file is refused as the file is.
void tst_StoreFile::aReadOnlyFileIsKeptEvenForRoot()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString link = dir_->filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path(), link));
    for (const QString &name : {path(), link}) {
        QCOMPARE(StoreFile::WriteWhole(name, "new\r\n"), QStringLiteral("Permission denied"));
        QCOMPARE(ReadAll(path()), QByteArray("old\r\n"));
    }
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"link.txt", "store.txt"}));
}

QTEST_GUILESS_MAIN(tst_StoreFile)
#include "tst_storefile.moc"
