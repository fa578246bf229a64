#include "kaochang/ExamGrading.h"
#include "arithmetic/ScoreText.h"

#include <QLocale>
#include <QMetaType>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Problem)

namespace {

// The score as worked in doubles, each step rounded at a 53-bit significand.
qint64 DoubleScore(int rightCount, int questionCount)
{
    const double fraction = static_cast<double>(rightCount) / static_cast<double>(questionCount);
    return std::llrint(fraction * 100.0 * 10000.0);
}

}  // namespace

class tst_ExamGrading : public QObject {
    Q_OBJECT

private slots:
    void answerText_data();
    void answerText();
    void score_data();
    void score();
    void everyPaperScoresItsExactRounding();
    void sameDigitsAsDoubles();
    void gradeCountsRightAnswersInPaperOrder();
    void newKindsAreGradedByValue_data();
    void newKindsAreGradedByValue();
};

void tst_ExamGrading::answerText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("right");
    QTest::newRow("zero for 5 - 5") << QStringLiteral("0") << 0 << true;
    QTest::newRow("two zeros") << QStringLiteral("00") << 0 << false;
    QTest::newRow("leading space") << QStringLiteral(" 0") << 0 << false;
    QTest::newRow("trailing space") << QStringLiteral("0 ") << 0 << false;
    QTest::newRow("plus sign") << QStringLiteral("+0") << 0 << false;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0 << false;
    QTest::newRow("full-width zero") << QStringLiteral("\uFF10") << 0 << false;
    QTest::newRow("full-width twelve") << QStringLiteral("\uFF11\uFF12") << 12 << false;
    QTest::newRow("empty box") << QString() << 7 << false;
    QTest::newRow("leading zero") << QStringLiteral("012") << 12 << false;
    QTest::newRow("wrong number") << QStringLiteral("13") << 12 << false;
    QTest::newRow("right number") << QStringLiteral("12") << 12 << true;
    QTest::newRow("grouped digits") << QStringLiteral("1,000") << 1000 << false;
    QTest::newRow("largest product") << QStringLiteral("100000000") << 100000000 << true;
    QTest::newRow("decimal point") << QStringLiteral("4.0") << 4 << false;
}

void tst_ExamGrading::answerText()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(bool, right);
    QCOMPARE(AnswerIsRight(typed, expected), right);
}

void tst_ExamGrading::score_data()
{
    QTest::addColumn<int>("rightCount");
    QTest::addColumn<int>("questionCount");
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 of 30") << 1 << 30 << qint64(33333) << QStringLiteral("3.3333分");
    QTest::newRow("2 of 30") << 2 << 30 << qint64(66667) << QStringLiteral("6.6667分");
    QTest::newRow("7 of 30") << 7 << 30 << qint64(233333) << QStringLiteral("23.3333分");
    QTest::newRow("1 of 80") << 1 << 80 << qint64(12500) << QStringLiteral("1.25分");
    QTest::newRow("10 of 10") << 10 << 10 << qint64(1000000) << QStringLiteral("100分");
    QTest::newRow("0 of 10") << 0 << 10 << qint64(0) << QStringLiteral("0分");
    QTest::newRow("20 of 60") << 20 << 60 << qint64(333333) << QStringLiteral("33.3333分");
    QTest::newRow("59 of 70") << 59 << 70 << qint64(842857) << QStringLiteral("84.2857分");
}

void tst_ExamGrading::score()
{
    QFETCH(int, rightCount);
    QFETCH(int, questionCount);
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, text);
    QCOMPARE(ExamScore(rightCount, questionCount), tenThousandths);
    QCOMPARE(ScoreText(ExamScore(rightCount, questionCount), QLocale::c()), text);
}

void tst_ExamGrading::everyPaperScoresItsExactRounding()
{
    // With N a multiple of ten no score falls on a tie, so the floating-point
    // result must equal exact rounding of right × 1000000 / N.
    for (int n = 10; n <= 100; n += 10) {
        for (int right = 0; right <= n; ++right) {
            const qint64 exact = (qint64(right) * 2000000 + n) / (2 * n);
            QCOMPARE(ExamScore(right, n), exact);
        }
    }
}

void tst_ExamGrading::sameDigitsAsDoubles()
{
    // Far beyond the papers' sizes, so the rounding is checked where ties and
    // near-ties do occur.
    for (int n = 1; n <= 2500; ++n) {
        for (int right = 0; right <= n; ++right) {
            if (ExamScore(right, n) != DoubleScore(right, n))
                QFAIL(qPrintable(QStringLiteral("%1 of %2").arg(right).arg(n)));
        }
    }
}

void tst_ExamGrading::gradeCountsRightAnswersInPaperOrder()
{
    ExamPaper paper;
    for (const ArithProblem &p : {ArithProblem{5, Operator::Subtraction, 5, 0}, ArithProblem{3, Operator::Addition, 4, 7},
                                  ArithProblem{9, Operator::Multiplication, 3, 27}, ArithProblem{8, Operator::Division, 2, 4}})
        paper.append({p.FirstOperand, p.SecondOperand, p.Answer, QString(), p.OperatorCode, Problem::From(p)});
    const ExamGrade grade =
        GradeAnswers({QStringLiteral("0"), QStringLiteral("7 "), QString(), QStringLiteral("4")}, paper);
    QCOMPARE(grade.Right, (QList<bool>{true, false, false, true}));
    QCOMPARE(grade.RightCount, 2);
    QCOMPARE(grade.Score, qint64(500000));
}

void tst_ExamGrading::newKindsAreGradedByValue_data()
{
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<bool>("lowestTerms");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("notReduced");
    const Problem half = Problem::Of(Term::Decimal(2, 1), Operator::Addition, Term::Decimal(3, 1));
    const Problem sixths = Problem::Of(*Term::Fraction(1, 2), Operator::Addition, *Term::Fraction(2, 3));
    const Problem quarters = Problem::Of(*Term::Fraction(1, 4), Operator::Addition, *Term::Fraction(1, 4));
    const Problem percent = Problem::Of(Term::Percent(25), Operator::Multiplication, 40);
    QTest::newRow("0.50 is 0.5") << half << false << QStringLiteral("0.50") << true << false;
    QTest::newRow("full-width 0.5") << half << false << QStringLiteral("０．５") << true << false;
    QTest::newRow("no leading point") << half << false << QStringLiteral(".5") << false << false;
    QTest::newRow("7/6") << sixths << true << QStringLiteral("7/6") << true << false;
    QTest::newRow("1 1/6") << sixths << true << QStringLiteral("1 1/6") << true << false;
    QTest::newRow("14/12 before 约分") << sixths << false << QStringLiteral("14/12") << true << false;
    QTest::newRow("14/12 with 要约分") << sixths << true << QStringLiteral("14/12") << false << true;
    QTest::newRow("2/4 with 要约分") << quarters << true << QStringLiteral("2/4") << false << true;
    QTest::newRow("1/2 with 要约分") << quarters << true << QStringLiteral("1/2") << true << false;
    QTest::newRow("a wrong fraction") << quarters << true << QStringLiteral("2/8") << false << false;
    QTest::newRow("1/0") << quarters << false << QStringLiteral("1/0") << false << false;
    QTest::newRow("percent answer") << percent << true << QStringLiteral("10") << true << false;
    QTest::newRow("percent with %") << percent << true << QStringLiteral("10%") << true << false;
}

void tst_ExamGrading::newKindsAreGradedByValue()
{
    QFETCH(Problem, problem);
    QFETCH(bool, lowestTerms);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QFETCH(bool, notReduced);
    ExamProblem question;
    question.Form = problem;
    question.LowestTerms = lowestTerms;
    const ExamGrade grade = GradeAnswers({typed}, ExamPaper{question});
    QCOMPARE(grade.Right, QList<bool>{right});
    QCOMPARE(grade.NotReduced, QList<bool>{notReduced});
    QCOMPARE(grade.RightCount, right ? 1 : 0);
}

QTEST_GUILESS_MAIN(tst_ExamGrading)
#include "tst_examgrading.moc"
