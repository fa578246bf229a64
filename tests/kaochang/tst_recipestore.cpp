#include "kaochang/RecipeStore.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

Recipe Midterm()
{
    return {.Name = QStringLiteral("期中口算 A"),
            .Rows = {{.Pick = {6, 1}, .Count = 40}, {.Range = 100, .Operation = OperationChoice::Mixed, .Count = 10}},
            .Order = RecipeOrder::Shuffled};
}

}  // namespace

class tst_RecipeStore : public QObject {
    Q_OBJECT

private slots:
    void savedPickedAndRememberedRoundTrip();
    void aDamagedFileIsReadAsNothingAndNeverWrittenOver_data();
    void aDamagedFileIsReadAsNothingAndNeverWrittenOver();
};

void tst_RecipeStore::savedPickedAndRememberedRoundTrip()
{
    QTemporaryDir folder;
    const QString path = RecipeStore::PathIn(folder.path());
    QVERIFY(!RecipeStore::Read(path).error);
    QVERIFY(!RecipeStore::Remember(path, std::nullopt));
    QVERIFY(!QFile::exists(path));

    Recipe tables{.Name = QStringLiteral("表内除法 10 道"), .Rows = {{.Pick = {18, 0}, .Count = 10}}};
    QVERIFY(!RecipeStore::Save(path, Midterm()));
    QVERIFY(!RecipeStore::Save(path, tables));
    Recipe unnamed = tables;
    unnamed.Name.clear();
    QVERIFY(!RecipeStore::Remember(path, unnamed));
    // Saved again under its name, a recipe keeps its place.
    Recipe changed = Midterm();
    changed.Rows[0].Count = 30;
    QVERIFY(!RecipeStore::Save(path, changed));

    RecipeStore::ReadResult read = RecipeStore::Read(path);
    QVERIFY(!read.error);
    QCOMPARE(read.contents.saved, (QList{changed, tables}));
    QCOMPARE(read.contents.last, unnamed);
    QCOMPARE(TestFiles::ReadAll(path).split('\n').first(),
             QByteArray("recipe\t\xe6\x9c\x9f\xe4\xb8\xad\xe5\x8f\xa3\xe7\xae\x97 A\tshuffled\tp 6 1 30\tc 100 2 10\r"));

    QVERIFY(!RecipeStore::Remember(path, std::nullopt));
    read = RecipeStore::Read(path);
    QCOMPARE(read.contents.last, std::nullopt);
    QCOMPARE(read.contents.saved.size(), 2);

    // Saved again by a text editor without its CRs, it reads the same.
    QVERIFY(TestFiles::WriteAll(path, TestFiles::ReadAll(path).replace("\r\n", "\n")));
    QCOMPARE(RecipeStore::Read(path).contents.saved, read.contents.saved);
}

void tst_RecipeStore::aDamagedFileIsReadAsNothingAndNeverWrittenOver_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    const QByteArray good = "recipe\tA\tin-order\tp 18 0 10\r\n";
    QTest::newRow("a row cut short") << good + "recipe\tB\tin-order\tp 18 10\r\n" << 2;
    QTest::newRow("an order not known") << QByteArray("recipe\tA\tsideways\tp 18 0 10\r\n") << 1;
    QTest::newRow("nine questions") << good + "last\t\tin-order\tp 18 0 9\r\n" << 2;
    QTest::newRow("a unit not in the table") << QByteArray("recipe\tA\tin-order\tp 99 0 10\r\n") << 1;
    QTest::newRow("a saved one without a name") << QByteArray("recipe\t\tin-order\tp 18 0 10\r\n") << 1;
    QTest::newRow("two last ones") << good + "last\tA\tin-order\tp 18 0 10\r\nlast\tA\tin-order\tp 18 0 10\r\n" << 3;
    QTest::newRow("not text of ours") << QByteArray("\x89PNG\r\n", 6) << 1;
}

void tst_RecipeStore::aDamagedFileIsReadAsNothingAndNeverWrittenOver()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = RecipeStore::PathIn(folder.path());
    QVERIFY(TestFiles::WriteAll(path, bytes));
    const RecipeStore::ReadResult read = RecipeStore::Read(path);
    QVERIFY(read.contents.saved.isEmpty() && !read.contents.last);
    QVERIFY(read.error);
    static const QRegularExpression damaged(QStringLiteral("^Cannot open file \".*\"\\. 第 (\\d+) 行不是组卷$"));
    QTEST(damaged.match(*read.error).captured(1).toInt(), "line");
    QCOMPARE(RecipeStore::Save(path, Midterm()), read.error);
    QCOMPARE(RecipeStore::Remember(path, std::nullopt), read.error);
    QCOMPARE(TestFiles::ReadAll(path), bytes);
}

QTEST_GUILESS_MAIN(tst_RecipeStore)
#include "tst_recipestore.moc"
