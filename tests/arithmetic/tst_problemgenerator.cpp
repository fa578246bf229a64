#include "arithmetic/ProblemGenerator.h"

#include <QTest>
#include <string>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(OperationChoice)
Q_DECLARE_METATYPE(Operator)

namespace {

constexpr std::uint32_t kMultiplier = 134775813u;

std::uint32_t Step(std::uint32_t s)
{
    return s * kMultiplier + 1u;
}

// The multiplier is odd, so it has an inverse modulo 2^32 (Newton's method
// doubles the correct low bits each round).
std::uint32_t StepBack(std::uint32_t s)
{
    std::uint32_t inverse = kMultiplier;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - kMultiplier * inverse;
    return (s - 1u) * inverse;
}

}  // namespace

class tst_ProblemGenerator : public QObject {
    Q_OBJECT

private slots:
    void firstStatesFromZero()
    {
        RandomSource source(0);
        const std::uint32_t expected[] = {1u, 134775814u, 3698175007u};
        for (std::uint32_t s : expected) {
            source.Below(1);
            QCOMPARE(source.State(), s);
        }
    }

    void knownDraws_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<OperationChoice>("choice");
        QTest::addColumn<int>("range");
        QTest::addColumn<Operator>("op");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("answer");
        QTest::newRow("S=0, 加减, 10") << 0u << OperationChoice::AddSubtract << 10 << Operator::Addition << 1 << 9 << 10;
        QTest::newRow("S=12345, 综合, 100")
            << 12345u << OperationChoice::Mixed << 100 << Operator::Subtraction << 29 << 3 << 26;
        QTest::newRow("S=2024, 乘除, 100")
            << 2024u << OperationChoice::MultiplyDivide << 100 << Operator::Division << 25 << 25 << 1;
    }

    void knownDraws()
    {
        QFETCH(quint32, seed);
        QFETCH(OperationChoice, choice);
        QFETCH(int, range);
        RandomSource source(seed);
        const ArithProblem p = DrawProblem(range, choice, source);
        QTEST(p.OperatorCode, "op");
        QTEST(p.FirstOperand, "first");
        QTEST(p.SecondOperand, "second");
        QTEST(p.Answer, "answer");
    }

    // Each rejected division attempt draws a fresh pair; the source must end
    // exactly where eight attempts of two draws each leave it.
    void divisionRedrawsWholePairs()
    {
        RandomSource replay(2024);
        QCOMPARE(replay.Below(2) + 3, 4u);
        std::vector<std::pair<int, int>> pairs;
        for (;;) {
            const int a = static_cast<int>(replay.Below(100)) + 1;
            const int b = static_cast<int>(replay.Below(static_cast<std::uint32_t>(a))) + 1;
            pairs.emplace_back(a, b);
            if (a % b == 0)
                break;
        }
        const std::vector<std::pair<int, int>> expected{{29, 4}, {58, 18}, {28, 22}, {10, 6}, {86, 7},
                                                        {33, 5}, {84, 69}, {25, 25}};
        QCOMPARE(pairs, expected);

        RandomSource source(2024);
        DrawProblem(100, OperationChoice::MultiplyDivide, source);
        QCOMPARE(source.State(), replay.State());
    }

    void valueRanges_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<OperationChoice>("choice");
        for (std::string_view text : RangeItems) {
            for (int c = 0; c < 3; ++c) {
                const std::string name = std::string(text) + " / " + std::string(OperationItems[c]);
                QTest::newRow(name.c_str()) << std::stoi(std::string(text)) << static_cast<OperationChoice>(c);
            }
        }
    }

    void valueRanges()
    {
        QFETCH(int, range);
        QFETCH(OperationChoice, choice);
        RandomSource source(static_cast<std::uint32_t>(range) * 7919u + static_cast<std::uint32_t>(choice));
        bool seen[5] = {};
        for (int i = 0; i < 100000; ++i) {
            const ArithProblem p = DrawProblem(range, choice, source);
            const int a = p.FirstOperand;
            const int b = p.SecondOperand;
            seen[static_cast<int>(p.OperatorCode)] = true;
            QVERIFY2(a >= 1 && a <= range, "first operand out of range");
            switch (p.OperatorCode) {
            case Operator::Addition:
                QVERIFY(b >= 1 && b <= range);
                QCOMPARE(p.Answer, a + b);
                break;
            case Operator::Subtraction:
                QVERIFY(b >= 1 && b <= a);
                QCOMPARE(p.Answer, a - b);
                QVERIFY(p.Answer >= 0 && p.Answer <= range - 1);
                break;
            case Operator::Multiplication:
                QVERIFY(b >= 1 && b <= range);
                QCOMPARE(static_cast<qint64>(p.Answer), static_cast<qint64>(a) * b);
                break;
            case Operator::Division:
                QVERIFY(b >= 1 && b <= a);
                QCOMPARE(a % b, 0);
                QCOMPARE(p.Answer * b, a);
                break;
            }
        }
        const bool addSub = seen[1] && seen[2];
        const bool mulDiv = seen[3] && seen[4];
        switch (choice) {
        case OperationChoice::AddSubtract:
            QVERIFY(addSub && !seen[3] && !seen[4]);
            break;
        case OperationChoice::MultiplyDivide:
            QVERIFY(mulDiv && !seen[1] && !seen[2]);
            break;
        case OperationChoice::Mixed:
            QVERIFY(addSub && mulDiv);
            break;
        }
    }

    void zeroDifferenceIsAProblem()
    {
        RandomSource source(1);
        bool found = false;
        for (int i = 0; i < 10000 && !found; ++i) {
            const ArithProblem p = DrawProblem(10, OperationChoice::AddSubtract, source);
            found = p.OperatorCode == Operator::Subtraction && p.FirstOperand == 5 && p.SecondOperand == 5;
            if (found)
                QCOMPARE(p.Answer, 0);
        }
        QVERIFY(found);
    }

    // Steer the source to the one seed that draws "×" and then 10000 twice.
    void largestProductDoesNotOverflow()
    {
        // The smallest S with S × 10000 div 2^32 = 9999 (the quotient is not whole).
        const auto high = static_cast<std::uint32_t>((9999ull << 32) / 10000 + 1);
        std::uint32_t seed = 0;
        bool found = false;
        for (std::uint64_t s2 = high; s2 <= 0xFFFFFFFFu && !found; ++s2) {
            const auto second = static_cast<std::uint32_t>(s2);
            const std::uint32_t first = StepBack(second);
            if (first < 0x80000000u && Step(second) >= high) {
                seed = StepBack(first);
                found = true;
            }
        }
        QVERIFY(found);
        RandomSource source(seed);
        const ArithProblem p = DrawProblem(10000, OperationChoice::MultiplyDivide, source);
        QCOMPARE(p.OperatorCode, Operator::Multiplication);
        QCOMPARE(p.FirstOperand, 10000);
        QCOMPARE(p.SecondOperand, 10000);
        QCOMPARE(p.Answer, 100000000);
    }

    void operatorTexts()
    {
        QCOMPARE(OperatorText(Operator::Addition), std::string_view("+"));
        QCOMPARE(OperatorText(Operator::Subtraction), std::string_view("-"));
        QCOMPARE(OperatorText(Operator::Multiplication), std::string_view("*"));
        QCOMPARE(OperatorText(Operator::Division), std::string_view("/"));
    }

    void reseedChangesBetweenProblems()
    {
        RandomSource source;
        source.Reseed();
        const std::uint32_t before = source.State();
        QTest::qWait(1);
        source.Reseed();
        QVERIFY(source.State() != before);
    }
};

QTEST_GUILESS_MAIN(tst_ProblemGenerator)
#include "tst_problemgenerator.moc"
