#include "kaochang/ExamPaper.h"

#include <QRegularExpression>
#include <QTest>

namespace {

struct ParsedText {
    std::int32_t first = 0;
    QString sign;
    std::int32_t second = 0;
};

// Reads a slot text back: it must be exactly digits, a spaced sign, digits, "=".
ParsedText Parse(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^([1-9][0-9]*) ([+\\-×÷]) ([1-9][0-9]*)=$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(), match.captured(2), match.captured(3).toInt()};
}

}  // namespace

class tst_ExamPaper : public QObject {
    Q_OBJECT

private slots:
    void operatorTexts_data();
    void operatorTexts();
    void problemText_data();
    void problemText();
    void firstProblemOfKnownSeeds_data();
    void firstProblemOfKnownSeeds();
    void paperIsTheGeneratorsRunWithoutReseeding();
    void paperHasItsSize_data();
    void paperHasItsSize();
    void choiceKeepsToItsOperators_data();
    void choiceKeepsToItsOperators();
    void mixedPaperUsesAllFour();
};

void tst_ExamPaper::operatorTexts_data()
{
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("text");
    QTest::newRow("plus") << Operator::Addition << QStringLiteral(" + ");
    QTest::newRow("minus") << Operator::Subtraction << QStringLiteral(" - ");
    QTest::newRow("times U+00D7") << Operator::Multiplication << QStringLiteral(" \u00D7 ");
    QTest::newRow("divide U+00F7") << Operator::Division << QStringLiteral(" \u00F7 ");
}

void tst_ExamPaper::operatorTexts()
{
    QFETCH(Operator, op);
    QFETCH(QString, text);
    QCOMPARE(ExamOperatorText(op), text);
}

void tst_ExamPaper::problemText_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("text");
    QTest::newRow("fifteen plus seven") << 15 << Operator::Addition << 7 << QStringLiteral("15 + 7=");
    QTest::newRow("difference zero") << 5 << Operator::Subtraction << 5 << QStringLiteral("5 - 5=");
    QTest::newRow("largest product") << 10000 << Operator::Multiplication << 10000
                                     << QStringLiteral("10000 × 10000=");
    QTest::newRow("one by one") << 1 << Operator::Division << 1 << QStringLiteral("1 ÷ 1=");
}

void tst_ExamPaper::problemText()
{
    QFETCH(int, first);
    QFETCH(Operator, op);
    QFETCH(int, second);
    QFETCH(QString, text);
    ArithProblem problem;
    problem.FirstOperand = first;
    problem.OperatorCode = op;
    problem.SecondOperand = second;
    QCOMPARE(ExamProblemText(problem), text);
}

void tst_ExamPaper::firstProblemOfKnownSeeds_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("range");
    QTest::addColumn<OperationChoice>("choice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("answer");
    QTest::newRow("seed 0, 10, add-subtract") << 0u << 10 << OperationChoice::AddSubtract << QStringLiteral("1 + 9=")
                                              << 10;
    QTest::newRow("seed 12345, 100, mixed") << 12345u << 100 << OperationChoice::Mixed << QStringLiteral("29 - 3=")
                                            << 26;
    QTest::newRow("seed 2024, 100, multiply-divide after redraws")
        << 2024u << 100 << OperationChoice::MultiplyDivide << QStringLiteral("25 ÷ 25=") << 1;
}

void tst_ExamPaper::firstProblemOfKnownSeeds()
{
    QFETCH(uint, seed);
    QFETCH(int, range);
    QFETCH(OperationChoice, choice);
    QFETCH(QString, text);
    QFETCH(int, answer);
    RandomSource source(seed);
    const ExamPaper paper = DrawPaper(1, range, choice, source);
    QCOMPARE(paper.size(), 1);
    QCOMPARE(paper.first().Text, text);
    QCOMPARE(paper.first().Answer, answer);
}

void tst_ExamPaper::paperIsTheGeneratorsRunWithoutReseeding()
{
    RandomSource paperSource(777);
    RandomSource drillSource(777);
    const ExamPaper paper = DrawPaper(100, 1000, OperationChoice::Mixed, paperSource);
    for (const ExamProblem &problem : paper) {
        const ArithProblem expected = DrawProblem(1000, OperationChoice::Mixed, drillSource);
        QCOMPARE(problem.FirstOperand, expected.FirstOperand);
        QCOMPARE(problem.SecondOperand, expected.SecondOperand);
        QCOMPARE(problem.Answer, expected.Answer);
        QCOMPARE(problem.Text, ExamProblemText(expected));
        QCOMPARE(problem.AsArithProblem().OperatorCode, expected.OperatorCode);
    }
    QCOMPARE(paperSource.State(), drillSource.State());
}

void tst_ExamPaper::paperHasItsSize_data()
{
    QTest::addColumn<int>("count");
    for (int n = 10; n <= 100; n += 10)
        QTest::addRow("%d problems", n) << n;
}

void tst_ExamPaper::paperHasItsSize()
{
    QFETCH(int, count);
    RandomSource source;
    QCOMPARE(GeneratePaper(count, 10, OperationChoice::Mixed, source).size(), count);
}

void tst_ExamPaper::choiceKeepsToItsOperators_data()
{
    QTest::addColumn<OperationChoice>("choice");
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("allowed");
    for (const int range : {10, 100, 10000}) {
        QTest::addRow("加减, %d", range) << OperationChoice::AddSubtract << range << QStringLiteral("+-");
        QTest::addRow("乘除, %d", range) << OperationChoice::MultiplyDivide << range << QStringLiteral("×÷");
        QTest::addRow("综合, %d", range) << OperationChoice::Mixed << range << QStringLiteral("+-×÷");
    }
}

void tst_ExamPaper::choiceKeepsToItsOperators()
{
    QFETCH(OperationChoice, choice);
    QFETCH(int, range);
    QFETCH(QString, allowed);
    RandomSource source;
    for (int paperNumber = 0; paperNumber < 30; ++paperNumber) {
        for (const ExamProblem &problem : GeneratePaper(100, range, choice, source)) {
            const ParsedText parsed = Parse(problem.Text);
            QVERIFY2(!parsed.sign.isEmpty(), qPrintable(problem.Text));
            QVERIFY2(allowed.contains(parsed.sign), qPrintable(problem.Text));
            QCOMPARE(parsed.first, problem.FirstOperand);
            QCOMPARE(parsed.second, problem.SecondOperand);
            QVERIFY(problem.FirstOperand >= 1 && problem.FirstOperand <= range);
            QVERIFY(problem.SecondOperand >= 1 && problem.SecondOperand <= range);
            const std::int64_t a = problem.FirstOperand;
            const std::int64_t b = problem.SecondOperand;
            if (parsed.sign == QLatin1String("+")) {
                QCOMPARE(problem.Answer, a + b);
            } else if (parsed.sign == QLatin1String("-")) {
                QVERIFY(b <= a);
                QCOMPARE(problem.Answer, a - b);
            } else if (parsed.sign == QStringLiteral("×")) {
                QCOMPARE(problem.Answer, a * b);
            } else {
                QVERIFY(b <= a);
                QCOMPARE(a % b, std::int64_t{0});
                QCOMPARE(problem.Answer, a / b);
            }
        }
    }
}

void tst_ExamPaper::mixedPaperUsesAllFour()
{
    RandomSource source(99);
    QSet<QString> signs;
    for (const ExamProblem &problem : DrawPaper(100, 100, OperationChoice::Mixed, source))
        signs.insert(Parse(problem.Text).sign);
    QCOMPARE(signs, (QSet<QString>{QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("×"), QStringLiteral("÷")}));
}

QTEST_GUILESS_MAIN(tst_ExamPaper)
#include "tst_exampaper.moc"
