#include "arithmetic/ProblemText.h"

#include <QTest>

// The right equation as the child reads it after a miss, and as a screen
// reader says it.
class tst_ProblemText : public QObject {
    Q_OBJECT

private slots:
    void equation_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("addition") << 4 << 1 << 5 << 9 << "4+5=9" << "4加5等于9";
        QTest::newRow("subtraction") << 12 << 2 << 7 << 5 << "12−7=5" << "12减7等于5";
        QTest::newRow("multiplication") << 9 << 3 << 3 << 27 << "9×3=27" << "9乘3等于27";
        QTest::newRow("division") << 56 << 4 << 8 << 7 << "56÷8=7" << "56除以8等于7";
    }

    void equation()
    {
        QFETCH(int, first);
        QFETCH(int, op);
        QFETCH(int, second);
        QFETCH(int, answer);
        QFETCH(QString, written);
        QFETCH(QString, spoken);
        const ArithProblem problem{first, static_cast<Operator>(op), second, answer};
        QCOMPARE(EquationText(problem), written);
        QCOMPARE(SpokenEquation(problem), spoken);
        QCOMPARE(SpokenProblem(problem) + QString::number(answer), spoken);
    }
};

QTEST_GUILESS_MAIN(tst_ProblemText)
#include "tst_problemtext.moc"
