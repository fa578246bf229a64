#include "arithmetic/AnswerText.h"

#include <QTest>

class tst_AnswerText : public QObject {
    Q_OBJECT

private slots:
    void readAnswer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading zero") << "07" << true << 7;
        QTest::newRow("many leading zeros") << "0000000000000000042" << true << 42;
        QTest::newRow("plus sign") << "+12" << true << 12;
        QTest::newRow("minus sign") << "-12" << true << -12;
        QTest::newRow("minus zero") << "-0" << true << 0;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("one past the largest") << "2147483648" << false << 0;
        QTest::newRow("one below the smallest") << "-2147483649" << false << 0;
        QTest::newRow("wraps around 2^32") << "4294967303" << false << 0;
        QTest::newRow("twenty digits") << "12345678901234567890" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign alone") << "+" << false << 0;
        QTest::newRow("two signs") << "+-1" << false << 0;
        QTest::newRow("sign after digits") << "1-" << false << 0;
        QTest::newRow("leading blank") << " 1" << false << 0;
        QTest::newRow("trailing blank") << "1 " << false << 0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("full-width digit") << "７" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
    }

    void readAnswer()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<std::int32_t> read = ReadAnswer(text);
        QCOMPARE(read.has_value(), valid);
        if (valid)
            QCOMPARE(*read, value);
    }

    // What the keypad makes of the box's text: never a leading zero, yet a
    // lone 0; text typed from the keyboard is only ever added to.
    void keypadDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("digit");
        QTest::addColumn<QString>("after");
        QTest::newRow("0 into an empty box") << "" << 0 << "0";
        QTest::newRow("0 after a lone 0") << "0" << 0 << "0";
        QTest::newRow("7 after a lone 0") << "0" << 7 << "7";
        QTest::newRow("0 after 7") << "7" << 0 << "70";
        QTest::newRow("0 after a typed 07") << "07" << 0 << "070";
        QTest::newRow("9 after text that is no number") << "abc" << 9 << "abc9";
    }

    void keypadDigits()
    {
        QFETCH(QString, text);
        QFETCH(int, digit);
        QFETCH(QString, after);
        QCOMPARE(AfterKeypadDigit(text, digit), after);
    }
};

QTEST_APPLESS_MAIN(tst_AnswerText)
#include "tst_answertext.moc"
