// The real message boxes under a system locale that is not Chinese.
#include "shell/Application.h"
#include "notices/Notices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString face;
    bool closed = false;
};

// Once the box is up, reads it as the child sees it and closes it with the
// given key.
void ReadBoxWhenShown(SeenBox &seen, Qt::Key closingKey)
{
    QTimer::singleShot(0, [&seen, closingKey] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        if (const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            seen.face = QFontInfo(label->font()).family();
        for (QAbstractButton *button : box->buttons())
            seen.buttons << button->text();
        QTest::keyClick(box, closingKey);
        seen.closed = box->isHidden();
    });
}

}  // namespace

class tst_Notices : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QLocale::system().language(), QLocale::C);
        SetUpApplication(*qApp);
    }

    void boxesSayOkInChinese_data()
    {
        QTest::addColumn<bool>("error");
        QTest::addColumn<int>("closingKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("notice closed with Enter")
            << false << int(Qt::Key_Return) << QStringLiteral("你有十分钟时间竞赛！") << QMessageBox::NoIcon;
        QTest::newRow("error box closed with Escape")
            << true << int(Qt::Key_Escape) << QStringLiteral("'x' is not a valid integer value.")
            << QMessageBox::Critical;
    }

    void boxesSayOkInChinese()
    {
        QFETCH(bool, error);
        QFETCH(int, closingKey);
        QFETCH(QString, text);
        QFETCH(QMessageBox::Icon, icon);
        SeenBox seen;
        ReadBoxWhenShown(seen, Qt::Key(closingKey));
        if (error)
            Notices::ShowErrorBox(QStringLiteral("'x' is not a valid integer value"));
        else
            Notices::ShowNotice(text);
        QVERIFY(seen.closed);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
        QCOMPARE(seen.title, QStringLiteral("Numbrook"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.icon, icon);
        // The windows' sans-serif, not whatever face the locale's fallback
        // would pick for the Chinese.
        QCOMPARE(seen.face, QStringLiteral("Noto Sans CJK SC"));
    }
};

QTEST_MAIN(tst_Notices)
#include "tst_notices.moc"
