#include "jiqiao/TForm3.h"
#include "jiqiao/TipListView.h"
#include "widgets/FormRefs.h"
#include "support/AccessibleTree.h"
#include "support/Recorders.h"
#include "support/TestFiles.h"
#include "widgets/BevelPanel.h"
#include "widgets/ClickLabel.h"
#include "widgets/FlatButton.h"

#include <QAccessible>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSaved = QStringLiteral("保存完成！");
const QString kStillAdding = QStringLiteral("正在添加技巧，注意保存！");
const QString kHint = QStringLiteral("选择技巧囊中技巧项目，单击《详解技巧》来显示技\n巧\n详细展示。");
const QString kNotReadWhole = QStringLiteral("技巧囊文件“%1”里有读不出来的内容。为了保护原有的技巧，它保持原样不动；"
                                             "把它修好之前，不能添加新技巧。");

using TestFiles::ReadAll;

QPoint RowCentre(TipListView *list, int row)
{
    return list->visualRect(list->model()->index(row, 1)).center();
}

}  // namespace

class tst_TForm3 : public QObject {
    Q_OBJECT

private slots:
    void init();

    void opensAsTheTipsBook();
    void anUnreadableStoreShowsTheErrorAndAnEmptyList();
    void addsTwoTipsThroughTheControls();
    void readsTipsChosenWithTheMouse();
    void aClickBelowTheLastRowChoosesTheLastTip();
    void closesOnlyThroughItsButtonAndNotWhileAdding();
    void theDashMinimisesTheApplication();
    void aStoreNotReadWholeIsNotSavedOver();
    void aSecondWindowsTipsAreListedAfterASave();
    void aMegabyteTipShowsAtOnce();
    void aScreenReaderFindsEveryControlNamed();

private:
    void writeStore(const QByteArray &bytes);
    static void addTip(TForm3 &window, const QString &text);
    QString root() const { return dir_->path() + QLatin1Char('/'); }
    QString storePath() const { return root() + QStringLiteral("database/yd.zerk"); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_TForm3::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("database")));
}

void tst_TForm3::writeStore(const QByteArray &bytes)
{
    QFile file(storePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void tst_TForm3::addTip(TForm3 &window, const QString &text)
{
    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    QTest::keyClicks(window.Memo2, text);
    QTest::mouseClick(window.SpeedButton5, Qt::LeftButton);
}

void tst_TForm3::opensAsTheTipsBook()
{
    writeStore("\xa1\xef\xbc\xd3\r\nplain\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    QCOMPARE(Form3, &window);
    QVERIFY(notices.seen.isEmpty());
    QCOMPARE(window.size(), QSize(792, 573));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.Panel2->geometry(), QRect(16, 16, 761, 540));
    QCOMPARE(window.ListView1->geometry(), QRect(16, 32, 313, 489));
    QCOMPARE(window.ListView1->objectName(), QStringLiteral("ListView1"));
    QCOMPARE(window.Memo1->geometry(), QRect(344, 32, 401, 433));
    QCOMPARE(window.Panel3->geometry(), QRect(112, 80, 553, 321));
    QVERIFY(window.Panel3->isHidden());
    QVERIFY(window.Memo1->isReadOnly());
    QCOMPARE(window.Memo1->toPlainText(), kHint);
    QVERIFY(window.SpeedButton5->isEnabled());
    QCOMPARE(QAccessible::queryAccessibleInterface(window.SpeedButton2)->text(QAccessible::Name),
             QStringLiteral("详解技巧"));

    const QHeaderView *header = window.ListView1->horizontalHeader();
    QCOMPARE(header->sectionSize(0), 50);
    QCOMPARE(header->sectionSize(0) + header->sectionSize(1), window.ListView1->viewport()->width());
    QVERIFY(!header->sectionsClickable());
    QVERIFY(window.ListView1->showGrid());
    QCOMPARE(window.ListView1->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(window.ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(window.ListView1->model()->rowCount(), 2);
    QCOMPARE(window.ListView1->model()->index(0, 1).data().toString(), QStringLiteral("★加"));

    // Without a click, "详解技巧" shows the first tip.
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("★加"));
}

void tst_TForm3::anUnreadableStoreShowsTheErrorAndAnEmptyList()
{
    NoticeRecorder notices;
    TForm3 window(root());
    QCOMPARE(notices.seen.size(), 1);
    QCOMPARE(notices.seen.first().first, Notices::Kind::Error);
    QVERIFY(notices.seen.first().second.startsWith(
        QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(storePath()))));
    QCOMPARE(window.ListView1->model()->rowCount(), 0);
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), kHint);
}

void tst_TForm3::addsTwoTipsThroughTheControls()
{
    writeStore("old\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    QVERIFY(window.Panel3->isVisible());
    QTest::keyClicks(window.Memo2, QStringLiteral("9+5=14"));
    QTest::keyClick(window.Memo2, Qt::Key_Return);
    QTest::keyClick(window.Memo2, Qt::Key_Enter);
    QTest::keyClicks(window.Memo2, QStringLiteral(" ok"));
    QCOMPARE(window.Memo2->toPlainText(), QStringLiteral("9+5=14 ok"));
    QTest::mouseClick(window.SpeedButton5, Qt::LeftButton);
    QCOMPARE(notices.texts(), QStringList{kSaved});
    QVERIFY(!window.SpeedButton5->isEnabled());
    QCOMPARE(window.ListView1->model()->rowCount(), 2);

    QTest::mouseClick(window.SpeedButton6, Qt::LeftButton);
    QVERIFY(window.SpeedButton5->isEnabled());
    QVERIFY(window.Memo2->toPlainText().isEmpty());
    // Pasted text keeps its line breaks in the box; the tip gets spaces.
    window.Memo2->insertPlainText(QStringLiteral("凑十法\n先凑十"));
    QTest::mouseClick(window.SpeedButton5, Qt::LeftButton);
    QCOMPARE(notices.texts(), (QStringList{kSaved, kSaved}));

    QCOMPARE(ReadAll(storePath()), QByteArray("old\r\n"
                                              "\xa1\xef" "9+5=14 ok\r\n"
                                              "\xa1\xef\xb4\xd5\xca\xae\xb7\xa8 \xcf\xc8\xb4\xd5\xca\xae\r\n"));
    QCOMPARE(window.ListView1->model()->index(2, 0).data().toString(), QStringLiteral("3"));
    QCOMPARE(window.ListView1->model()->index(2, 1).data().toString(), QStringLiteral("★凑十法 先凑十"));
}

void tst_TForm3::readsTipsChosenWithTheMouse()
{
    writeStore("a\r\nb\r\nc\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 1));
    QCOMPARE(window.Book().CurrentTipIndex(), 1);
    QCOMPARE(window.Memo1->toPlainText(), kHint);
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("b"));

    // A double-click begins with a whole click.
    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 2));
    QTest::mouseDClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 2));
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("c"));

    // After a save the list shows no selection, yet the chosen tip stays.
    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 0));
    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    QTest::keyClicks(window.Memo2, QStringLiteral("d"));
    QTest::mouseClick(window.SpeedButton5, Qt::LeftButton);
    QCOMPARE(window.ListView1->selectionModel()->selectedRows().size(), 0);
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("a"));
    QVERIFY(notices.texts() == QStringList{kSaved});
}

void tst_TForm3::aClickBelowTheLastRowChoosesTheLastTip()
{
    writeStore("a\r\nb\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 0));
    QCOMPARE(window.ListView1->selectionModel()->selectedRows().size(), 1);
    const QPoint below(100, window.ListView1->viewport()->height() - 5);
    QVERIFY(!window.ListView1->indexAt(below).isValid());
    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(window.ListView1->selectionModel()->selectedRows().size(), 0);
    QCOMPARE(window.Book().CurrentTipIndex(), 1);
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("b"));
}

void tst_TForm3::closesOnlyThroughItsButtonAndNotWhileAdding()
{
    writeStore("a\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());

    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
    QCOMPARE(notices.texts(), QStringList{kStillAdding});
    QVERIFY(window.isVisible());
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(notices.texts().size(), 2);

    QTest::mouseClick(window.SpeedButton4, Qt::LeftButton);
    QVERIFY(window.Panel3->isHidden());
    QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(notices.texts().size(), 2);
}

void tst_TForm3::theDashMinimisesTheApplication()
{
    writeStore("a\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.Label13, Qt::LeftButton);
    QTRY_VERIFY(window.isMinimized());
}

void tst_TForm3::aStoreNotReadWholeIsNotSavedOver()
{
    const QByteArray store("a\r\nb\0c\r\n", 8);
    writeStore(store);
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.ListView1->model()->rowCount(), 2);

    addTip(window, QStringLiteral("new"));
    QCOMPARE(notices.seen.size(), 1);
    QCOMPARE(notices.seen.first().first, Notices::Kind::Notice);
    QCOMPARE(notices.seen.first().second, kNotReadWhole.arg(storePath()));
    QVERIFY(window.SpeedButton5->isEnabled());
    QCOMPARE(window.Memo2->toPlainText(), QStringLiteral("new"));
    QCOMPARE(window.ListView1->model()->rowCount(), 2);
    QCOMPARE(ReadAll(storePath()), store);
}

// Two windows open on one store, as when the program runs twice; the store
// is a Windows "Unicode" text file, and stays one.
void tst_TForm3::aSecondWindowsTipsAreListedAfterASave()
{
    writeStore(QByteArray("\xff\xfe\xd1\x51\x41\x53\xd5\x6c\r\0\n\0", 12));
    NoticeRecorder notices;
    TForm3 first(root());
    TForm3 second(root());
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QCOMPARE(second.ListView1->model()->index(0, 1).data().toString(), QStringLiteral("凑十法"));

    addTip(first, QStringLiteral("one"));
    addTip(second, QStringLiteral("two"));
    QCOMPARE(notices.texts(), (QStringList{kSaved, kSaved}));
    QCOMPARE(ReadAll(storePath()), QByteArray("\xff\xfe\xd1\x51\x41\x53\xd5\x6c\r\0\n\0\x05\x26o\0n\0e\0\r\0\n\0"
                                              "\x05\x26t\0w\0o\0\r\0\n\0", 36));
    const QAbstractItemModel *list = second.ListView1->model();
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->index(1, 1).data().toString(), QStringLiteral("★one"));
    QCOMPARE(list->index(2, 0).data().toString(), QStringLiteral("3"));
}

// A pasted tip of a million letters with no space: its row shows its start
// and the detail box the whole tip, each within moments.
void tst_TForm3::aMegabyteTipShowsAtOnce()
{
    const QByteArray tip(1 << 20, 'x');
    writeStore(tip + "\r\nshort\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString row = window.ListView1->model()->index(0, 1).data().toString();
    QVERIFY(!row.isEmpty() && row.size() < 1000 && QString::fromLatin1(tip).startsWith(row));

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QString::fromLatin1(tip));
    QVERIFY(!window.grab().isNull());

    // A tip that fits keeps wrapping at word boundaries; the long one is not
    // laid out again that way on its way out.
    QTest::mouseClick(window.ListView1->viewport(), Qt::LeftButton, {}, RowCentre(window.ListView1, 1));
    QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(window.Memo1->toPlainText(), QStringLiteral("short"));
    QCOMPARE(window.Memo1->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
}

// While reading and while adding.
void tst_TForm3::aScreenReaderFindsEveryControlNamed()
{
    writeStore("a\r\nb\r\n");
    NoticeRecorder notices;
    TForm3 window(root());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto unnamed = [&window] { return AccessibleTree::UnnamedControls(AccessibleTree::Of(&window)).join(", "); };
    QCOMPARE(unnamed(), QString());
    QTest::mouseClick(window.SpeedButton3, Qt::LeftButton);
    QCOMPARE(unnamed(), QString());
}

QTEST_MAIN(tst_TForm3)
#include "tst_tform3.moc"
