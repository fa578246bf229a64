#include "FakeTipsView.h"
#include "jiqiao/TipsBook.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kNothingTyped = QStringLiteral("你还没有输入技巧内容，请输入！");
const QString kSaved = QStringLiteral("保存完成！");
const QString kCannotStore = QStringLiteral("这条技巧里的“😀”存不进技巧囊，请删掉后再保存。");
const QString kStillAdding = QStringLiteral("正在添加技巧，注意保存！");
const QString kNotReadWhole = QStringLiteral("技巧囊文件“%1”里有读不出来的内容。为了保护原有的技巧，它保持原样不动；"
                                             "把它修好之前，不能添加新技巧。");

using TestFiles::ReadAll;

}  // namespace

class tst_TipsBook : public QObject {
    Q_OBJECT

private slots:
    void init();

    void opensWithTheFirstTipCurrent();
    void anUnreadableStoreOpensEmpty();
    void listRowsAreNumberedFromOne();
    void aClickChoosesTheSelectedRow_data();
    void aClickChoosesTheSelectedRow();
    void anEmptyListShowsNothingEvenAfterAdding();

    void addPanelOpensEmptyAndKeepsTheSaveState();
    void onlyEnterIsSwallowed_data();
    void onlyEnterIsSwallowed();

    void savingStoresTheTipAndLocksTheButton();
    void emptyTextIsRefused();
    void textGbkCannotStoreIsRefused();
    void theIndexSurvivesASave();
    void addAnotherAndBackToReadingUnlockSaving();
    void aFailedSaveForgetsTheTip();
    void aFullDiskIsAnErrorNotASave();
    void aStoreNotReadWholeIsLeftAsItIs_data();
    void aStoreNotReadWholeIsLeftAsItIs();

    void leavingIsRefusedWhileAdding();
    void minimisingAsksTheApplication();

private:
    void writeStore(const QByteArray &bytes);
    QString storePath() const { return root() + QStringLiteral("database/yd.zerk"); }
    QString root() const { return dir_->path() + QLatin1Char('/'); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_TipsBook::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("database")));
}

void tst_TipsBook::writeStore(const QByteArray &bytes)
{
    QFile file(storePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void tst_TipsBook::opensWithTheFirstTipCurrent()
{
    writeStore("first\r\nsecond\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    QCOMPARE(book.StorePath(), QDir::toNativeSeparators(storePath()));
    QCOMPARE(book.CurrentTipIndex(), 0);
    QVERIFY(view.saveEnabled);
    QVERIFY(view.errors.isEmpty());
    book.ShowTipInFull();
    QCOMPARE(view.detail, QStringLiteral("first"));
}

void tst_TipsBook::anUnreadableStoreOpensEmpty()
{
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    QCOMPARE(view.errors.size(), 1);
    QVERIFY2(view.errors.first().startsWith(
                 QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(storePath()))),
             qPrintable(view.errors.first()));
    QCOMPARE(book.ListModel().rowCount(), 0);
    book.ShowTipInFull();
    QVERIFY(view.detail.isEmpty());

    // The first tip saved afterwards creates the store.
    book.OpenAddPanel();
    view.newTip = QStringLiteral("新");
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kSaved});
    QCOMPARE(ReadAll(storePath()), QByteArray("\xa1\xef\xd0\xc2\r\n"));
}

void tst_TipsBook::listRowsAreNumberedFromOne()
{
    writeStore("\r\n\xa1\xef" "b\r\nno star\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    const TipListModel &model = book.ListModel();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("序号"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("技巧"));
    const QStringList numbers{"1", "2", "3"};
    const QStringList tips{"", "★b", "no star"};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model.data(model.index(row, 0), Qt::DisplayRole).toString(), numbers.at(row));
        QCOMPARE(model.data(model.index(row, 1), Qt::DisplayRole).toString(), tips.at(row));
        QVERIFY(!(model.flags(model.index(row, 1)) & Qt::ItemIsEditable));
    }
}

void tst_TipsBook::aClickChoosesTheSelectedRow_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("shown");

    QTest::newRow("second row") << 1 << 1 << QStringLiteral("b");
    QTest::newRow("below the last row") << -1 << 2 << QStringLiteral("c");
}

void tst_TipsBook::aClickChoosesTheSelectedRow()
{
    QFETCH(int, selected);
    QFETCH(int, current);
    QFETCH(QString, shown);
    writeStore("a\r\nb\r\nc\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    view.selected = selected;
    book.ListClicked();
    QCOMPARE(book.CurrentTipIndex(), current);
    book.ShowTipInFull();
    QCOMPARE(view.detail, shown);
}

void tst_TipsBook::anEmptyListShowsNothingEvenAfterAdding()
{
    writeStore("");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    view.selected = -1;
    book.ListClicked();
    QCOMPARE(book.CurrentTipIndex(), -1);

    book.OpenAddPanel();
    view.newTip = QStringLiteral("x");
    book.SaveTip();
    QCOMPARE(book.Store().TipCount(), 1);
    book.ShowTipInFull();
    QVERIFY(view.detail.isEmpty());
}

void tst_TipsBook::addPanelOpensEmptyAndKeepsTheSaveState()
{
    writeStore("a\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("x");
    book.SaveTip();
    QVERIFY(!view.saveEnabled);

    view.newTip = QStringLiteral("unsaved");
    book.OpenAddPanel();
    QVERIFY(view.panelShown);
    QVERIFY(view.newTip.isEmpty());
    QVERIFY(!view.saveEnabled);
}

void tst_TipsBook::onlyEnterIsSwallowed_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<TypedCharacter>("goes");

    QTest::newRow("Enter") << QChar(13) << TypedCharacter::Swallowed;
    QTest::newRow("line feed") << QChar(10) << TypedCharacter::ToAddBox;
    QTest::newRow("letter") << QChar(u'a') << TypedCharacter::ToAddBox;
    QTest::newRow("Chinese") << QChar(u'加') << TypedCharacter::ToAddBox;
    QTest::newRow("space") << QChar(u' ') << TypedCharacter::ToAddBox;
}

void tst_TipsBook::onlyEnterIsSwallowed()
{
    QFETCH(QChar, typed);
    QFETCH(TypedCharacter, goes);
    FakeTipsView view;
    const TipsBook book(view, root());
    QCOMPARE(book.CharacterTyped(typed), goes);
}

void tst_TipsBook::savingStoresTheTipAndLocksTheButton()
{
    writeStore("old\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("加法");
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kSaved});
    QVERIFY(!view.saveEnabled);
    QVERIFY(!book.SaveAllowed());
    QVERIFY(view.panelShown);
    QCOMPARE(view.newTip, QStringLiteral("加法"));
    QCOMPARE(book.ListModel().rowCount(), 2);
    QCOMPARE(ReadAll(storePath()), QByteArray("old\r\n\xa1\xef\xbc\xd3\xb7\xa8\r\n"));

    // The button is off, so the same text cannot go in twice.
    book.SaveTip();
    QCOMPARE(book.Store().TipCount(), 2);
    QCOMPARE(view.messages.size(), 1);
}

void tst_TipsBook::emptyTextIsRefused()
{
    writeStore("old\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kNothingTyped});
    QVERIFY(view.saveEnabled);
    QCOMPARE(book.Store().TipCount(), 1);
    QCOMPARE(ReadAll(storePath()), QByteArray("old\r\n"));
}

void tst_TipsBook::textGbkCannotStoreIsRefused()
{
    writeStore("old\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("笑😀，😀");
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kCannotStore});
    QVERIFY(view.errors.isEmpty());
    QVERIFY(view.saveEnabled);
    QCOMPARE(view.newTip, QStringLiteral("笑😀，😀"));
    QCOMPARE(book.Store().TipCount(), 1);
    QCOMPARE(ReadAll(storePath()), QByteArray("old\r\n"));
}

void tst_TipsBook::theIndexSurvivesASave()
{
    writeStore("a\r\nb\r\nc\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    view.selected = 1;
    book.ListClicked();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("d");
    book.SaveTip();
    QCOMPARE(book.CurrentTipIndex(), 1);
    book.ShowTipInFull();
    QCOMPARE(view.detail, QStringLiteral("b"));
}

void tst_TipsBook::addAnotherAndBackToReadingUnlockSaving()
{
    writeStore("");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("one");
    book.SaveTip();
    QVERIFY(!view.saveEnabled);

    book.AddAnother();
    QVERIFY(view.saveEnabled);
    QVERIFY(view.newTip.isEmpty());
    QVERIFY(view.panelShown);
    view.newTip = QStringLiteral("two");
    book.SaveTip();
    QVERIFY(!view.saveEnabled);

    book.BackToReading();
    QVERIFY(view.saveEnabled);
    QVERIFY(!view.panelShown);
    QCOMPARE(ReadAll(storePath()), QByteArray("\xa1\xef" "one\r\n\xa1\xef" "two\r\n"));
}

void tst_TipsBook::aFailedSaveForgetsTheTip()
{
    writeStore("old\r\n");
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("new");

    // The store's folder goes away: nothing can be saved.
    QVERIFY(QDir(dir_->path()).rename(QStringLiteral("database"), QStringLiteral("away")));
    book.SaveTip();
    QCOMPARE(view.errors.size(), 1);
    QVERIFY2(view.errors.first().startsWith(
                 QStringLiteral("Cannot create file \"%1\". ").arg(QDir::toNativeSeparators(storePath()))),
             qPrintable(view.errors.first()));
    QVERIFY(view.messages.isEmpty());
    QVERIFY(view.saveEnabled);
    QCOMPARE(book.Store().TipCount(), 1);
    QCOMPARE(book.ListModel().rowCount(), 1);

    // Once the folder is back, the tip is stored once.
    QVERIFY(QDir(dir_->path()).rename(QStringLiteral("away"), QStringLiteral("database")));
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kSaved});
    QCOMPARE(ReadAll(storePath()), QByteArray("old\r\n\xa1\xef" "new\r\n"));
}

void tst_TipsBook::aFullDiskIsAnErrorNotASave()
{
    const QByteArray old(3000, 'x');
    writeStore(old);
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    book.OpenAddPanel();
    view.newTip = QStringLiteral("new");
    {
        FullDisk full(1024);
        book.SaveTip();
    }
    QCOMPARE(view.errors, QStringList{QStringLiteral("Cannot create file \"%1\". File too large")
                                          .arg(QDir::toNativeSeparators(storePath()))});
    QVERIFY(view.messages.isEmpty());
    QVERIFY(view.saveEnabled);
    QCOMPARE(book.ListModel().rowCount(), 1);
    QCOMPARE(ReadAll(storePath()), old);
}

void tst_TipsBook::aStoreNotReadWholeIsLeftAsItIs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opens");

    QTest::newRow("NUL") << QByteArray("a\r\n\0b\r\n", 7) << true;
    QTest::newRow("cannot be read") << QByteArray() << false;
}

void tst_TipsBook::aStoreNotReadWholeIsLeftAsItIs()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opens);
    if (opens)
        writeStore(bytes);
    else
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), storePath()));
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    QCOMPARE(view.errors.size(), opens ? 0 : 1);
    const int rows = book.ListModel().rowCount();

    book.OpenAddPanel();
    view.newTip = QStringLiteral("new");
    book.SaveTip();
    QCOMPARE(view.messages, QStringList{kNotReadWhole.arg(storePath())});
    QCOMPARE(view.errors.size(), opens ? 0 : 1);
    QVERIFY(view.saveEnabled);
    QCOMPARE(book.ListModel().rowCount(), rows);
    if (opens)
        QCOMPARE(ReadAll(storePath()), bytes);
    else
        QCOMPARE(QFileInfo(storePath()).symLinkTarget(), QStringLiteral("/proc/self/mem"));
}

void tst_TipsBook::leavingIsRefusedWhileAdding()
{
    FakeTipsView view;
    TipsBook book(view, root());
    book.Create();
    view.errors.clear();
    book.OpenAddPanel();
    book.Leave();
    QCOMPARE(view.messages, QStringList{kStillAdding});
    QVERIFY(!view.closed);
    QVERIFY(view.panelShown);

    book.BackToReading();
    book.Leave();
    QVERIFY(view.closed);
    QCOMPARE(view.messages.size(), 1);
}

void tst_TipsBook::minimisingAsksTheApplication()
{
    FakeTipsView view;
    TipsBook book(view, root());
    book.OpenAddPanel();
    book.Minimise();
    QVERIFY(view.minimised);
    QVERIFY(view.panelShown);
    QVERIFY(!view.closed);
}

QTEST_APPLESS_MAIN(tst_TipsBook)
#include "tst_tipsbook.moc"
