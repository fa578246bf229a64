#include "chengzhang/TForm8.h"
#include "shell/TForm1.h"
#include "shell/TForm7.h"
#include "support/Recorders.h"
#include "widgets/FlatButton.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs steps in the next modal window, as a parent works it.
void InTheNextWindow(const std::function<void(QWidget &)> &steps)
{
    QTimer::singleShot(0, [steps] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            steps(*modal);
            if (modal->isVisible())
                modal->close();
        }
    });
}

void AddChild(QWidget &window, const QString &name, int picture)
{
    auto &who = dynamic_cast<TForm7 &>(window);
    QTest::mouseClick(who.SpeedButton1, Qt::LeftButton);
    // Chinese comes through the input method.
    QInputMethodEvent typed;
    typed.setCommitString(name);
    QApplication::sendEvent(who.Edit1, &typed);
    QTest::mouseClick(who.PictureButtons.at(picture), Qt::LeftButton);
    QTest::mouseClick(who.SpeedButton3, Qt::LeftButton);
}

}  // namespace

class tst_TForm7 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        root_ = InstallFolder::Current().SharedRoot();
        QDir(root_).removeRecursively();
        QVERIFY(QDir().mkpath(InstallFolder::Current().SharedDatabaseFolder()));
    }

    void switchingChildrenThroughTheMenu()
    {
        CueRecorder cues;
        NoticeRecorder notices;
        auto menu = std::make_unique<TForm1>();
        menu->show();
        QTRY_COMPARE(menu->Label2->text(), QStringLiteral("小朋友"));
        QCOMPARE(menu->SpeedButton11->accessibleName(), QStringLiteral("换一个小朋友"));
        // One child: nothing is asked at start-up.
        bool asked = false;
        InTheNextWindow([&asked](QWidget &) { asked = true; });
        menu->AskWhoPractises();
        QCoreApplication::processEvents();
        QVERIFY(!asked);

        // Add 小明 with the cat and choose him.
        QStringList shown;
        InTheNextWindow([&shown](QWidget &window) {
            AddChild(window, QStringLiteral("小明"), 2);
            auto &who = dynamic_cast<TForm7 &>(window);
            for (QLabel *name : who.NameLabels)
                shown << name->text();
            QTest::mouseClick(who.ChildButtons.at(1), Qt::LeftButton);
        });
        QTest::mouseClick(menu->SpeedButton11, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{"小朋友", "小明"}));
        QCOMPARE(menu->Label2->text(), QStringLiteral("小明"));
        const InstallFolder his = menu->ChildFolder();
        QCOMPARE(his.UserRoot(), root_ + QStringLiteral("xiaopengyou/2/"));
        QVERIFY(QFileInfo(his.UserDatabaseFolder()).isDir());
        QVERIFY(QFileInfo(his.UserRoot() + QStringLiteral("Lxdui")).isDir());
        QCOMPARE(his.SharedDatabaseFolder(), InstallFolder::Current().SharedDatabaseFolder());

        // His 成长记录 is his.
        QString title;
        InTheNextWindow([&title](QWidget &window) { title = dynamic_cast<TForm8 &>(window).Label1->text(); });
        QTest::mouseClick(menu->SpeedButton10, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("小明的成长记录"));

        // The next start asks who practises and remembers the last child.
        menu = std::make_unique<TForm1>();
        menu->show();
        QTRY_COMPARE(menu->Label2->text(), QStringLiteral("小明"));
        InTheNextWindow([](QWidget &window) {
            QTest::mouseClick(dynamic_cast<TForm7 &>(window).ChildButtons.at(0), Qt::LeftButton);
        });
        menu->AskWhoPractises();
        QCOMPARE(menu->Label2->text(), QStringLiteral("小朋友"));
        QCOMPARE(menu->ChildFolder().UserRoot(), root_);
        QVERIFY(notices.seen.isEmpty());
    }

private:
    QString root_;
};

QTEST_MAIN(tst_TForm7)
#include "tst_tform7.moc"
