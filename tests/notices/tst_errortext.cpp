#include "notices/ErrorText.h"

#include <QTest>

class tst_ErrorText : public QObject {
    Q_OBJECT

private slots:
    void closingFullStop_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "No such file or directory" << "No such file or directory.";
        QTest::newRow("already a full stop") << "Done." << "Done.";
        QTest::newRow("closing parenthesis sorts before") << "(read-only)" << "(read-only)";
        QTest::newRow("quote sorts before") << "'x'" << "'x'";
        QTest::newRow("slash sorts after") << "C:/" << "C:/.";
        QTest::newRow("digit") << "code 5" << "code 5.";
        QTest::newRow("Chinese") << "保存完成" << "保存完成.";
        QTest::newRow("empty") << "" << "";
    }

    void closingFullStop()
    {
        QFETCH(QString, text);
        QTEST(ErrorText::WithClosingFullStop(text), "shown");
    }

    void messages()
    {
        QCOMPARE(ErrorText::CannotCreateFile("/x/Lxdui/2024-3-7.txt", "No such file or directory"),
                 QString("Cannot create file \"/x/Lxdui/2024-3-7.txt\". No such file or directory"));
        QCOMPARE(ErrorText::CannotOpenFile("/x/database/yd.zerk", "Permission denied"),
                 QString("Cannot open file \"/x/database/yd.zerk\". Permission denied"));
        QCOMPARE(ErrorText::NotAValidInteger("2147483648"), QString("'2147483648' is not a valid integer value"));
        // A path holding %1 must come through unchanged.
        QCOMPARE(ErrorText::CannotOpenFile("/a%1b", "r"), QString("Cannot open file \"/a%1b\". r"));
    }
};

QTEST_GUILESS_MAIN(tst_ErrorText)
#include "tst_errortext.moc"
