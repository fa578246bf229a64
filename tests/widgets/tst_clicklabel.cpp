#include "widgets/ClickLabel.h"

#include "support/AccessibleTree.h"

#include <QSignalSpy>
#include <QTest>

// The round controls "▲" and "―" as a screen reader meets them: a button
// that its press action works as a click does.
class tst_ClickLabel : public QObject {
    Q_OBJECT

private slots:
    void pressedByAScreenReaderAsByAClick_data()
    {
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<int>("clicks");
        QTest::newRow("named") << QStringLiteral("我在最前面") << true << QStringLiteral("我在最前面") << 1;
        QTest::newRow("named by its caption") << QString() << true << QStringLiteral("▲") << 1;
        QTest::newRow("disabled") << QStringLiteral("藏起来") << false << QStringLiteral("藏起来") << 0;
    }

    void pressedByAScreenReaderAsByAClick()
    {
        QFETCH(QString, accessibleName);
        QFETCH(bool, enabled);
        ClickLabel label;
        label.setText(QStringLiteral("▲"));
        label.setAccessibleName(accessibleName);
        label.setEnabled(enabled);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QSignalSpy clicked(&label, &ClickLabel::clicked);

        QAccessibleInterface *spoken = AccessibleTree::Of(&label);
        QCOMPARE(spoken->role(), QAccessible::Button);
        QTEST(spoken->text(QAccessible::Name), "heard");
        QCOMPARE(spoken->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        QVERIFY(AccessibleTree::Press(&label));
        QTEST(int(clicked.count()), "clicks");
    }
};

QTEST_MAIN(tst_ClickLabel)
#include "tst_clicklabel.moc"
