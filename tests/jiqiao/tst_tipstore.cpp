#include "jiqiao/TipStore.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using TestFiles::ReadAll;
using TestFiles::WriteAll;

QStringList TipsOf(const TipStore &store)
{
    QStringList tips;
    for (int i = 0; i < store.TipCount(); ++i)
        tips << store.TipAt(i);
    return tips;
}

QByteArray Utf16(const QString &text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text);
}

}  // namespace

class tst_TipStore : public QObject {
    Q_OBJECT

private slots:
    void init();

    void loadsTheFileLines_data();
    void loadsTheFileLines();
    void aMissingFileIsReportedAndLeavesTheLines();
    void loadThenSaveGivesBackEveryByte_data();
    void loadThenSaveGivesBackEveryByte();
    void savesCrLfAfterEveryLine_data();
    void savesCrLfAfterEveryLine();
    void saveThenLoadGivesBackRandomTips();

    void addTipPutsTheStarFirst_data();
    void addTipPutsTheStarFirst();
    void addTipRefusesWhatGbkCannotStore_data();
    void addTipRefusesWhatGbkCannotStore();

    void aNewTipGoesAfterWhatTheFileHoldsNow();
    void twoStoresSavingInTurnKeepEachOthersTips();
    void aMarkedStoreIsSavedInItsOwnEncoding_data();
    void aMarkedStoreIsSavedInItsOwnEncoding();
    void aStoreNotReadWholeIsNeverWritten_data();
    void aStoreNotReadWholeIsNeverWritten();
    void anUnreadableStoreIsNeverWritten_data();
    void anUnreadableStoreIsNeverWritten();
    void aFullDiskKeepsTheStoreWhole_data();
    void aFullDiskKeepsTheStoreWhole();
    void aSaveWithoutItsFolderIsReported();
    void aReadOnlyStoreIsRefusedAndKeptWhole();
    void theOldFileIsReplacedNotRewritten();

private:
    QString path() const { return dir_->filePath(QStringLiteral("yd.zerk")); }
    QStringList filesInDir() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_TipStore::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void tst_TipStore::loadsTheFileLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("tips");
    QTest::addColumn<bool>("whole");

    QTest::newRow("empty file") << QByteArray() << QStringList{} << true;
    QTest::newRow("three bare breaks") << QByteArray("\r\n\r\n\r\n") << QStringList{"", "", ""} << true;
    QTest::newRow("GBK star and text")
        << QByteArray("\xa1\xef\xbc\xd3\xb7\xa8\r\nplain\r\n") << QStringList{"★加法", "plain"} << true;
    QTest::newRow("no final break") << QByteArray("one\r\ntwo") << QStringList{"one", "two"} << true;
    QTest::newRow("NUL ends the text") << QByteArray("one\r\ntw\0o\r\nthree", 16) << QStringList{"one", "tw"}
                                       << false;
    QTest::newRow("NUL as the last byte") << QByteArray("one\r\n\0", 6) << QStringList{"one"} << false;
    QTest::newRow("invalid GBK shows the replacement character")
        << QByteArray("a\xff" "b\r\n\xd2\r\n\x81\x20z\r\n") << QStringList{"a\uFFFDb", "\uFFFD", "\uFFFD z"} << true;

    const QString text = QStringLiteral("★凑十法\r\n破十法\nlast\r");
    const QStringList tips{"★凑十法", "破十法", "last"};
    QTest::newRow("UTF-16 LE") << Utf16(text, QStringConverter::Utf16LE) << tips << true;
    QTest::newRow("UTF-16 BE") << Utf16(text, QStringConverter::Utf16BE) << tips << true;
    QTest::newRow("UTF-8 with its mark") << Utf16(text, QStringConverter::Utf8) << tips << true;
    QTest::newRow("UTF-16 NUL ends the text")
        << Utf16(QStringLiteral("a\r\nb") + QChar(0) + QStringLiteral("c"), QStringConverter::Utf16LE)
        << QStringList{"a", "b"} << false;
    QTest::newRow("UTF-8 not valid after its mark") << QByteArray("\xef\xbb\xbf" "a\xffz\r\n")
                                                    << QStringList{"a\uFFFDz"} << false;
    QTest::newRow("a second mark is text") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a")
                                           << QStringList{QStringLiteral("\uFEFF" "a")} << true;
}

void tst_TipStore::loadsTheFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, tips);
    QFETCH(bool, whole);
    QVERIFY(WriteAll(path(), bytes));

    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QCOMPARE(TipsOf(store), tips);
    QCOMPARE(store.IsWhole(), whole);
}

void tst_TipStore::aMissingFileIsReportedAndLeavesTheLines()
{
    QVERIFY(WriteAll(path(), "kept\r\n"));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);

    const QString missing = dir_->filePath(QStringLiteral("absent/yd.zerk"));
    const std::optional<QString> error = store.LoadTips(missing);
    QVERIFY(error);
    QVERIFY2(error->startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(missing))),
             qPrintable(*error));
    QVERIFY2(error->size() > QStringLiteral("Cannot open file \"%1\". ").arg(missing).size(), "no reason given");
    QCOMPARE(store.TipCount(), 1);
    QCOMPARE(store.TipAt(0), QStringLiteral("kept"));
}

void tst_TipStore::loadThenSaveGivesBackEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CR LF store") << QByteArray("\xa1\xef\xbc\xd3\r\n\r\nlast\r\n");
    QTest::newRow("not GBK at all") << QByteArray("\x80\xff\xfe\r\n\x81\r\n\xaa\xa1\xfe\xfe\r\n");
    QTest::newRow("spaces kept") << QByteArray("  \r\n\t x \r\n");
}

void tst_TipStore::loadThenSaveGivesBackEveryByte()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(WriteAll(path(), bytes));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QCOMPARE(store.SaveTips(path()), std::nullopt);
    QCOMPARE(ReadAll(path()), bytes);
}

void tst_TipStore::savesCrLfAfterEveryLine_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("empty list, empty file") << QByteArray() << QByteArray();
    QTest::newRow("last line gets its break") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF only becomes CR LF") << QByteArray("a\nb\n\n") << QByteArray("a\r\nb\r\n\r\n");
}

void tst_TipStore::savesCrLfAfterEveryLine()
{
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, written);
    QVERIFY(WriteAll(path(), read));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QCOMPARE(store.SaveTips(path()), std::nullopt);
    QCOMPARE(ReadAll(path()), written);
    QCOMPARE(written.count("\r\n"), store.TipCount());
}

// Tips of random Chinese, ASCII and line breaks, added and saved, read back
// as the same tips from the file alone.
void tst_TipStore::saveThenLoadGivesBackRandomTips()
{
    const QString alphabet = QStringLiteral("口算加减乘除凑十法破 abc123+-×÷＝（）\r\n★、。");
    QRandomGenerator random(4242);
    for (int round = 0; round < 50; ++round) {
        TipStore written;
        const int count = random.bounded(20);
        for (int i = 0; i < count; ++i) {
            QString text;
            const int length = random.bounded(30);
            for (int c = 0; c < length; ++c)
                text += alphabet.at(random.bounded(alphabet.size()));
            QVERIFY(written.AddTip(text));
        }
        QCOMPARE(written.SaveTips(path()), std::nullopt);

        TipStore read;
        QCOMPARE(read.LoadTips(path()), std::nullopt);
        QCOMPARE(read.TipCount(), written.TipCount());
        for (int i = 0; i < read.TipCount(); ++i) {
            QCOMPARE(read.TipAt(i), written.TipAt(i));
            QCOMPARE(read.TipBytesAt(i), written.TipBytesAt(i));
        }
    }
}

void tst_TipStore::addTipPutsTheStarFirst_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("plain text") << QStringLiteral("加法") << QStringLiteral("★加法") << QByteArray("\xa1\xef\xbc\xd3\xb7\xa8");
    QTest::newRow("spaces only are kept") << QStringLiteral("   ") << QStringLiteral("★   ") << QByteArray("\xa1\xef   ");
    QTest::newRow("CR LF becomes one space") << QStringLiteral("a\r\nb") << QStringLiteral("★a b") << QByteArray("\xa1\xef" "a b");
    QTest::newRow("each LF and CR a space") << QStringLiteral("a\n\nb\rc") << QStringLiteral("★a  b c")
                                            << QByteArray("\xa1\xef" "a  b c");
    QTest::newRow("a NUL would end the store") << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                                               << QStringLiteral("★a b") << QByteArray("\xa1\xef" "a b");
}

void tst_TipStore::addTipPutsTheStarFirst()
{
    QFETCH(QString, typed);
    QFETCH(QString, tip);
    QFETCH(QByteArray, bytes);
    TipStore store;
    QVERIFY(store.AddTip(QStringLiteral("first")));
    QVERIFY(store.AddTip(typed));
    QCOMPARE(store.TipCount(), 2);
    QCOMPARE(store.TipAt(1), tip);
    QCOMPARE(store.TipBytesAt(1), bytes);
    QCOMPARE(store.FileBytes(), QByteArray("\xa1\xef" "first\r\n") + bytes + "\r\n");
}

void tst_TipStore::addTipRefusesWhatGbkCannotStore_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("emoji") << QStringLiteral("加法😀");
    QTest::newRow("Korean") << QStringLiteral("한");
    QTest::newRow("private use") << QString(QChar(0xE000));
    QTest::newRow("replacement character") << QString(QChar(0xFFFD));
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
}

void tst_TipStore::addTipRefusesWhatGbkCannotStore()
{
    QFETCH(QString, typed);
    TipStore store;
    QVERIFY(!store.AddTip(typed));
    QCOMPARE(store.TipCount(), 0);
    QCOMPARE(store.FileBytes(), QByteArray());
}

void tst_TipStore::aNewTipGoesAfterWhatTheFileHoldsNow()
{
    QVERIFY(WriteAll(path(), "old\nsecond"));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    const TipSaveResult result = store.SaveNewTip(path(), QStringLiteral("加法"));
    QCOMPARE(result.outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), QByteArray("old\r\nsecond\r\n\xa1\xef\xbc\xd3\xb7\xa8\r\n"));
    QCOMPARE(TipsOf(store), (QStringList{"old", "second", "★加法"}));
    QCOMPARE(filesInDir(), QStringList{"yd.zerk"});

    // A missing store is begun by the tip.
    QVERIFY(QFile::remove(path()));
    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("a")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), QByteArray("\xa1\xef" "a\r\n"));
    QCOMPARE(TipsOf(store), QStringList{"★a"});

    // Text GBK cannot hold goes nowhere.
    const TipSaveResult refused = store.SaveNewTip(path(), QStringLiteral("😀a👍🏽😀"));
    QCOMPARE(refused.outcome, TipSaveOutcome::NotStorable);
    QCOMPARE(refused.unstorable, (QStringList{"😀", "👍🏽"}));
    QCOMPARE(ReadAll(path()), QByteArray("\xa1\xef" "a\r\n"));
    QCOMPARE(store.TipCount(), 1);
}

// Two copies of the program, each with the store open since before the
// other saved.
void tst_TipStore::twoStoresSavingInTurnKeepEachOthersTips()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    TipStore first;
    TipStore second;
    QCOMPARE(first.LoadTips(path()), std::nullopt);
    QCOMPARE(second.LoadTips(path()), std::nullopt);

    QCOMPARE(first.SaveNewTip(path(), QStringLiteral("one")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(second.SaveNewTip(path(), QStringLiteral("two")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(first.SaveNewTip(path(), QStringLiteral("three")).outcome, TipSaveOutcome::Saved);

    const QByteArray expected("old\r\n\xa1\xef" "one\r\n\xa1\xef" "two\r\n\xa1\xef" "three\r\n");
    QCOMPARE(ReadAll(path()), expected);
    QCOMPARE(first.FileBytes(), expected);
    QCOMPARE(TipsOf(second), (QStringList{"old", "★one", "★two"}));
    QCOMPARE(filesInDir(), QStringList{"yd.zerk"});
}

void tst_TipStore::aMarkedStoreIsSavedInItsOwnEncoding_data()
{
    QTest::addColumn<QStringConverter::Encoding>("encoding");

    QTest::newRow("UTF-16 LE") << QStringConverter::Utf16LE;
    QTest::newRow("UTF-16 BE") << QStringConverter::Utf16BE;
    QTest::newRow("UTF-8") << QStringConverter::Utf8;
}

// Characters GBK cannot hold, in the file and in the new tip, are kept.
void tst_TipStore::aMarkedStoreIsSavedInItsOwnEncoding()
{
    QFETCH(QStringConverter::Encoding, encoding);
    QVERIFY(WriteAll(path(), Utf16(QStringLiteral("加法한\r\n\nx"), encoding)));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QVERIFY(store.IsWhole());
    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("新😀")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), Utf16(QStringLiteral("加法한\r\n\r\nx\r\n★新😀\r\n"), encoding));
    QCOMPARE(TipsOf(store), (QStringList{"加法한", "", "x", "★新😀"}));
}

// Saving any of these would lose part of the file, so it is left as it is.
void tst_TipStore::aStoreNotReadWholeIsNeverWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("NUL inside") << QByteArray("a\r\nb\0junk\r\n", 11);
    QTest::newRow("NUL at the end") << QByteArray("a\r\n\0", 4);
    QTest::newRow("UTF-16 lone surrogate") << QByteArray("\xff\xfe" "a\0\x00\xd8", 6);
    QTest::newRow("UTF-16 odd length") << QByteArray("\xfe\xff\0a\0", 5);
}

void tst_TipStore::aStoreNotReadWholeIsNeverWritten()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(WriteAll(path(), bytes));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QVERIFY(!store.IsWhole());
    const QStringList loaded = TipsOf(store);

    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("new")).outcome, TipSaveOutcome::StoreNotReadWhole);
    QCOMPARE(ReadAll(path()), bytes);
    QCOMPARE(TipsOf(store), loaded);
    QCOMPARE(filesInDir(), QStringList{"yd.zerk"});

    // Mended by hand, the store takes the tip.
    QVERIFY(WriteAll(path(), "mended\r\n"));
    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("new")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), QByteArray("mended\r\n\xa1\xef" "new\r\n"));
}

// Reading fails even for root: /proc/self/mem is a regular file whose first
// page is never mapped, so every read of it ends in an I/O error. Reading a
// FIFO would wait for a writer for ever, so it is not even opened.
void tst_TipStore::anUnreadableStoreIsNeverWritten_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("read fails") << QStringLiteral("/proc/self/mem");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
}

void tst_TipStore::anUnreadableStoreIsNeverWritten()
{
    QFETCH(QString, target);
    if (target == QLatin1String("fifo")) {
        target = dir_->filePath(target);
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    }
    QVERIFY(QFile::link(target, path()));
    TipStore store;
    const std::optional<QString> error = store.LoadTips(path());
    QVERIFY(error);
    QVERIFY2(error->startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(path()))),
             qPrintable(*error));

    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("new")).outcome, TipSaveOutcome::StoreNotReadWhole);
    QCOMPARE(QFileInfo(path()).symLinkTarget(), target);
    QCOMPARE(store.TipCount(), 0);
    QVERIFY(!QFile::exists(path() + ".lock"));
}

// A disk that takes only so many bytes per file: the store of the row's
// size is kept byte for byte, below and above Qt's 16 KB write buffer, and
// also when not even the lock beside it can be written.
void tst_TipStore::aFullDiskKeepsTheStoreWhole_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("room");

    QTest::newRow("below the buffer") << 1693 << 1024;
    QTest::newRow("above the buffer") << 40000 << 20000;
    QTest::newRow("no room for the lock") << 1693 << 4;
}

void tst_TipStore::aFullDiskKeepsTheStoreWhole()
{
    QFETCH(int, size);
    QFETCH(int, room);
    QByteArray old;
    while (old.size() < size)
        old += "\xb4\xd5\xca\xae\xb7\xa8 9+5=14\r\n";
    old.truncate(size);
    QVERIFY(WriteAll(path(), old));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    const int tips = store.TipCount();

    TipSaveResult result;
    {
        FullDisk full(static_cast<rlim_t>(room));
        result = store.SaveNewTip(path(), QStringLiteral("new"));
    }
    QCOMPARE(result.outcome, TipSaveOutcome::NotWritten);
    QCOMPARE(result.errorText,
             QStringLiteral("Cannot create file \"%1\". File too large").arg(QDir::toNativeSeparators(path())));
    QCOMPARE(ReadAll(path()), old);
    QCOMPARE(store.TipCount(), tips);
    QCOMPARE(filesInDir(), QStringList{"yd.zerk"});

    // With room again the tip is saved once.
    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("new")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), old + (old.endsWith("\r\n") ? "" : "\r\n") + "\xa1\xef" "new\r\n");
}

void tst_TipStore::aSaveWithoutItsFolderIsReported()
{
    TipStore store;
    const QString missing = dir_->filePath(QStringLiteral("database/yd.zerk"));
    const TipSaveResult result = store.SaveNewTip(missing, QStringLiteral("a"));
    QCOMPARE(result.outcome, TipSaveOutcome::NotWritten);
    QCOMPARE(result.errorText, QStringLiteral("Cannot create file \"%1\". No such file or directory")
                                   .arg(QDir::toNativeSeparators(missing)));
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(store.TipCount(), 0);
}

// Root may write any file, but a store marked read-only is kept all the same.
void tst_TipStore::aReadOnlyStoreIsRefusedAndKeptWhole()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    const TipSaveResult result = store.SaveNewTip(path(), QStringLiteral("new"));
    QCOMPARE(result.outcome, TipSaveOutcome::NotWritten);
    QCOMPARE(result.errorText,
             QStringLiteral("Cannot create file \"%1\". Permission denied").arg(QDir::toNativeSeparators(path())));
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n"));
    QCOMPARE(QFileInfo(path()).permissions() & QFile::WriteOwner, QFile::Permissions{});
    QCOMPARE(TipsOf(store), QStringList{"old"});
    QCOMPARE(filesInDir(), QStringList{"yd.zerk"});
}

// The new content goes into a new file that then takes the store's name, so
// the old file is never cut short: a second name for it still reads the old
// tips afterwards.
void tst_TipStore::theOldFileIsReplacedNotRewritten()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    const QString secondName = dir_->filePath(QStringLiteral("old-name"));
    QCOMPARE(::link(QFile::encodeName(path()).constData(), QFile::encodeName(secondName).constData()), 0);

    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QCOMPARE(store.SaveNewTip(path(), QStringLiteral("new")).outcome, TipSaveOutcome::Saved);
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n\xa1\xef" "new\r\n"));
    QCOMPARE(ReadAll(secondName), QByteArray("old\r\n"));
    QCOMPARE(filesInDir().size(), 2);
}

QTEST_APPLESS_MAIN(tst_TipStore)
#include "tst_tipstore.moc"
