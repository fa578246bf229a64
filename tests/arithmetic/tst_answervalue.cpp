#include "arithmetic/AnswerValue.h"

#include <QTest>

Q_DECLARE_METATYPE(AnswerKind)

class tst_AnswerValue : public QObject {
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<AnswerKind>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reads");  // the answer's written form, or empty when it is none
        const AnswerKind whole = AnswerKind::Whole;
        const AnswerKind remainder = AnswerKind::QuotientRemainder;
        QTest::newRow("whole") << whole << "9" << "9";
        QTest::newRow("whole with a leading zero") << whole << "07" << "7";
        QTest::newRow("remainder for a whole number") << whole << "7……3" << "";
        QTest::newRow("商 and 余数") << remainder << "7……3" << "7……3";
        QTest::newRow("商 alone") << remainder << "7……" << "";
        QTest::newRow("余数 alone") << remainder << "……3" << "";
        QTest::newRow("whole for a remainder") << remainder << "7" << "";
        QTest::newRow("one ellipsis") << remainder << "7…3" << "7……3";
        QTest::newRow("three dots") << remainder << "7...3" << "7……3";
        QTest::newRow("余") << remainder << "7余3" << "7……3";
        QTest::newRow("leading zero in 商") << remainder << "07……3" << "7……3";
        QTest::newRow("leading zero in 余数") << remainder << "7……03" << "7……3";
        QTest::newRow("two marks") << remainder << "7……3……1" << "";
        QTest::newRow("a sign") << remainder << "-7……3" << "";
    }

    void read()
    {
        QFETCH(AnswerKind, kind);
        QFETCH(QString, typed);
        QFETCH(QString, reads);
        const std::optional<AnswerValue> value = ReadAnswerOfKind(typed, kind);
        QCOMPARE(value ? AnswerText(*value) : QString(), reads);
    }

    // 38 ÷ 5: a remainder as large as the divisor is a wrong answer, not a
    // badly written one.
    void remainderNotSmallerThanDivisorIsWrong()
    {
        const AnswerValue right = AnswerValue::WithRemainder(7, 3);
        QCOMPARE(*ReadAnswerOfKind(QStringLiteral("7……3"), AnswerKind::QuotientRemainder), right);
        const std::optional<AnswerValue> tooBig = ReadAnswerOfKind(QStringLiteral("6……8"), AnswerKind::QuotientRemainder);
        QVERIFY(tooBig);
        QVERIFY(!(*tooBig == right));
    }

    // The exam's boxes show every way of writing it as "7……3"; other texts,
    // a leading zero too, stay as typed and are graded as they stand.
    void tidied_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("三点") << "7...3" << "7……3";
        QTest::newRow("余") << "7余3" << "7……3";
        QTest::newRow("one ellipsis") << "7…3" << "7……3";
        QTest::newRow("already tidy") << "7……3" << "7……3";
        QTest::newRow("leading zero") << "07...3" << "07……3";
        QTest::newRow("not an answer") << "7余" << "7余";
    }

    void tidied()
    {
        QFETCH(QString, typed);
        QTEST(TidiedAnswerText(typed, AnswerKind::QuotientRemainder), "shown");
        QCOMPARE(TidiedAnswerText(typed, AnswerKind::Whole), typed);
    }

    void howToWrite()
    {
        QCOMPARE(HowToWrite(AnswerKind::QuotientRemainder), QStringLiteral("商和余数这样写：7……3"));
        QVERIFY(HowToWrite(AnswerKind::Whole).isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_AnswerValue)
#include "tst_answervalue.moc"
