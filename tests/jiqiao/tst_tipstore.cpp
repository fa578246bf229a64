#include "jiqiao/TipStore.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable: " + file.errorString().toUtf8();
    return file.readAll();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QString kStar = QStringLiteral("★");

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
    void removeLastTipTakesOnlyTheLast();

    void aSaveWithoutItsFolderIsReported();
    void aReadOnlyStoreIsRefusedAndKeptWhole();
    void theOldFileIsReplacedNotRewritten();

private:
    QString path() const { return dir_->filePath(QStringLiteral("yd.zerk")); }

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

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("three bare breaks") << QByteArray("\r\n\r\n\r\n") << QStringList{"", "", ""};
    QTest::newRow("GBK star and text")
        << QByteArray("\xa1\xef\xbc\xd3\xb7\xa8\r\nplain\r\n") << QStringList{"★加法", "plain"};
    QTest::newRow("no final break") << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("NUL ends the text") << QByteArray("one\r\ntw\0o\r\nthree", 16) << QStringList{"one", "tw"};
    QTest::newRow("invalid GBK shows the replacement character")
        << QByteArray("a\xff" "b\r\n\xd2\r\n\x81\x20z\r\n") << QStringList{"a\uFFFDb", "\uFFFD", "\uFFFD z"};
}

void tst_TipStore::loadsTheFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, tips);
    QVERIFY(WriteAll(path(), bytes));

    TipStore store;
    QCOMPARE(store.LoadTips(path()), std::nullopt);
    QStringList loaded;
    for (int i = 0; i < store.TipCount(); ++i)
        loaded << store.TipAt(i);
    QCOMPARE(loaded, tips);
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
    QTest::newRow("not GBK at all") << QByteArray("\xff\xfe\x80\r\n\x81\r\n\xaa\xa1\xfe\xfe\r\n");
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
    QTest::newRow("after a NUL all is gone") << QByteArray("a\r\nb\0junk\r\n", 11) << QByteArray("a\r\nb\r\n");
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

void tst_TipStore::removeLastTipTakesOnlyTheLast()
{
    TipStore store;
    QVERIFY(store.AddTip(QStringLiteral("a")));
    QVERIFY(store.AddTip(QStringLiteral("b")));
    store.RemoveLastTip();
    QCOMPARE(store.TipCount(), 1);
    QCOMPARE(store.TipAt(0), QStringLiteral("★a"));
    QCOMPARE(store.FileBytes(), QByteArray("\xa1\xef" "a\r\n"));
}

void tst_TipStore::aSaveWithoutItsFolderIsReported()
{
    TipStore store;
    QVERIFY(store.AddTip(QStringLiteral("a")));
    const QString missing = dir_->filePath(QStringLiteral("database/yd.zerk"));
    const std::optional<QString> error = store.SaveTips(missing);
    QVERIFY(error);
    QVERIFY2(error->startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(QDir::toNativeSeparators(missing))),
             qPrintable(*error));
    QVERIFY(!QFile::exists(missing));
}

void tst_TipStore::aReadOnlyStoreIsRefusedAndKeptWhole()
{
    QVERIFY(WriteAll(path(), "old\r\n"));
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadUser));
    {
        QFile probe(path());
        if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("this user may write read-only files");
    }
    TipStore store;
    QVERIFY(store.AddTip(QStringLiteral("new")));
    const std::optional<QString> error = store.SaveTips(path());
    QVERIFY(error);
    QVERIFY2(error->startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(QDir::toNativeSeparators(path()))),
             qPrintable(*error));
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n"));
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
    QVERIFY(store.AddTip(QStringLiteral("new")));
    QCOMPARE(store.SaveTips(path()), std::nullopt);
    QCOMPARE(ReadAll(path()), QByteArray("old\r\n\xa1\xef" "new\r\n"));
    QCOMPARE(ReadAll(secondName), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_APPLESS_MAIN(tst_TipStore)
#include "tst_tipstore.moc"
