#include "arithmetic/AnswerValue.h"
#include "arithmetic/ProblemGenerator.h"

#include <QTest>

Q_DECLARE_METATYPE(AnswerKind)
Q_DECLARE_METATYPE(AnswerValue)

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

    // Decimals, fractions and percents by value, never by floating point;
    // a text that is no answer of the kind gives no verdict at all.
    void judge_data()
    {
        QTest::addColumn<AnswerValue>("right");
        QTest::addColumn<bool>("lowestTerms");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("verdict");
        const auto value = [](AnswerKind kind, int n, int d) { return AnswerValue{kind, *Exact::Fraction(n, d), 0}; };
        const AnswerValue half = value(AnswerKind::Decimal, 1, 2);
        const AnswerValue fraction = value(AnswerKind::Fraction, 1, 2);
        const AnswerValue sevenSixths = value(AnswerKind::Fraction, 7, 6);
        const AnswerValue two = value(AnswerKind::Fraction, 2, 1);
        const AnswerValue percent = value(AnswerKind::Percent, 10, 1);
        QTest::newRow("0.50 is 0.5") << half << false << "0.50" << "right";
        QTest::newRow("full-width digits") << half << false << "０．５" << "right";
        QTest::newRow("an input method's point") << half << false << "0。5" << "right";
        QTest::newRow("another decimal") << half << false << "0.6" << "wrong";
        QTest::newRow(".5") << half << false << ".5" << "none";
        QTest::newRow("1.") << half << false << "1." << "none";
        QTest::newRow("1.2.3") << half << false << "1.2.3" << "none";
        QTest::newRow("a fraction for a decimal") << half << false << "1/2" << "none";
        QTest::newRow("lowest terms") << fraction << true << "1/2" << "right";
        QTest::newRow("2/4 before 约分") << fraction << false << "2/4" << "right";
        QTest::newRow("2/4 once 约分 is taught") << fraction << true << "2/4" << "reduce";
        QTest::newRow("full-width fraction") << fraction << true << "１／２" << "right";
        QTest::newRow("1/0") << fraction << false << "1/0" << "none";
        QTest::newRow("1/2/3") << fraction << false << "1/2/3" << "none";
        QTest::newRow("another fraction") << fraction << true << "1/3" << "wrong";
        QTest::newRow("improper") << sevenSixths << true << "7/6" << "right";
        QTest::newRow("mixed") << sevenSixths << true << "1 1/6" << "right";
        QTest::newRow("mixed unreduced") << sevenSixths << true << "1 2/12" << "reduce";
        QTest::newRow("mixed with an improper part") << sevenSixths << true << "0 7/6" << "none";
        QTest::newRow("whole value whole") << two << true << "2" << "right";
        QTest::newRow("whole value as a fraction") << two << true << "4/2" << "reduce";
        QTest::newRow("percent as a number") << percent << false << "10" << "right";
        QTest::newRow("percent with its sign") << percent << false << "10％" << "right";
        QTest::newRow("full-width whole for a whole") << AnswerValue::Whole(9) << false << "９" << "none";
    }

    void judge()
    {
        QFETCH(AnswerValue, right);
        QFETCH(bool, lowestTerms);
        QFETCH(QString, typed);
        const std::optional<Verdict> verdict = Judge(typed, right, lowestTerms);
        const char *said = !verdict                           ? "none"
                           : *verdict == Verdict::Right      ? "right"
                           : *verdict == Verdict::NotReduced ? "reduce"
                                                             : "wrong";
        QTEST(QString::fromLatin1(said), "verdict");
    }

    // Sums that would leave 32 bits, and 1 ÷ 0, are no numbers at all.
    void exactArithmeticStaysInRange()
    {
        QCOMPARE(ApplyExact(INT32_MAX, Operator::Addition, 1), std::optional<Exact>());
        QCOMPARE(ApplyExact(1, Operator::Division, 0), std::optional<Exact>());
        QCOMPARE(ApplyExact(*Exact::Fraction(INT32_MAX, 2), Operator::Multiplication, 2), std::optional<Exact>(INT32_MAX));
    }

    void howToWrite()
    {
        QCOMPARE(HowToWrite(AnswerKind::QuotientRemainder), QStringLiteral("商和余数这样写：7……3"));
        QVERIFY(HowToWrite(AnswerKind::Whole).isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_AnswerValue)
#include "tst_answervalue.moc"
