#include "arithmetic/DrillScore.h"
#include "arithmetic/ScoreText.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The score as an x87 unit works it, with every step rounded at a 64-bit
// significand; meaningful only where long double is that format.
qint64 ExtendedFloatingPointScore(std::int32_t right, std::int32_t total)
{
    long double q = static_cast<long double>(right) / static_cast<long double>(total);
    q = q * 100.0L;
    q = q * 10000.0L;
    return static_cast<qint64>(std::llrint(q));
}

// Counts all over the 32-bit range, from a fixed seed.
std::int32_t NextCount(std::uint64_t &state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::int32_t>(state >> 33);
}

}  // namespace

class tst_DrillScore : public QObject {
    Q_OBJECT

private slots:
    void scoreTable_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("total");
        QTest::addColumn<qint64>("score");
        QTest::addColumn<QString>("text");
        QTest::newRow("3 of 3") << 3 << 3 << qint64(1000000) << "100分";
        QTest::newRow("0 of 5") << 0 << 5 << qint64(0) << "0分";
        QTest::newRow("1 of 2") << 1 << 2 << qint64(500000) << "50分";
        QTest::newRow("1 of 8") << 1 << 8 << qint64(125000) << "12.5分";
        QTest::newRow("2 of 3") << 2 << 3 << qint64(666667) << "66.6667分";
        QTest::newRow("1 of 3") << 1 << 3 << qint64(333333) << "33.3333分";
        QTest::newRow("1 of 7") << 1 << 7 << qint64(142857) << "14.2857分";
        QTest::newRow("1 of 128: exact half to even") << 1 << 128 << qint64(7812) << "0.7812分";
        QTest::newRow("3 of 128: exact half to even") << 3 << 128 << qint64(23438) << "2.3438分";
        QTest::newRow("47 of 640: just below the half") << 47 << 640 << qint64(73437) << "7.3437分";
        QTest::newRow("81 of 640: just above the half") << 81 << 640 << qint64(126563) << "12.6563分";
        QTest::newRow("1 of 10000") << 1 << 10000 << qint64(100) << "0.01分";
        QTest::newRow("1 of 1000001") << 1 << 1000001 << qint64(1) << "0.0001分";
        QTest::newRow("1 of 3000000 rounds to nothing") << 1 << 3000000 << qint64(0) << "0分";
        QTest::newRow("largest counts") << 2147483646 << 2147483647 << qint64(1000000) << "100分";
    }

    void scoreTable()
    {
        QFETCH(int, right);
        QFETCH(int, total);
        QFETCH(qint64, score);
        QFETCH(QString, text);
        QCOMPARE(DrillScore(right, total), score);
        QCOMPARE(ScoreText(DrillScore(right, total), QLocale::c()), text);
    }

    void decimalSeparatorIsTheLocales()
    {
        QCOMPARE(ScoreText(DrillScore(2, 3), QLocale(QLocale::German)), QStringLiteral("66,6667分"));
        QCOMPARE(ScoreText(DrillScore(1, 1), QLocale(QLocale::German)), QStringLiteral("100分"));
    }

    void noAnswersScoreNothing()
    {
        QCOMPARE(DrillScore(0, 0), qint64(0));
    }

    void sameDigitsAsExtendedFloatingPoint()
    {
        if constexpr (std::numeric_limits<long double>::digits != 64) {
            QSKIP("long double has no 64-bit significand with this compiler");
        } else {
            // Every drill of up to 2500 answers, a few more right than done included.
            for (std::int32_t total = 1; total <= 2500; ++total) {
                for (std::int32_t right = 0; right <= total + 2; ++right) {
                    if (DrillScore(right, total) != ExtendedFloatingPointScore(right, total))
                        QFAIL(qPrintable(QStringLiteral("%1 of %2").arg(right).arg(total)));
                }
            }
            // Counts of any size, the right count on either side of zero.
            std::uint64_t state = 2024;
            for (int i = 0; i < 1000000; ++i) {
                const std::int32_t total = NextCount(state) | 1;
                std::int32_t right = NextCount(state);
                if (i % 2 == 0)
                    right = static_cast<std::int32_t>(right % total);
                if (i % 3 == 0)
                    right = -right;
                if (DrillScore(right, total) != ExtendedFloatingPointScore(right, total))
                    QFAIL(qPrintable(QStringLiteral("%1 of %2").arg(right).arg(total)));
            }
            QCOMPARE(DrillScore(std::numeric_limits<std::int32_t>::min(), 3),
                     ExtendedFloatingPointScore(std::numeric_limits<std::int32_t>::min(), 3));
        }
    }
};

QTEST_APPLESS_MAIN(tst_DrillScore)
#include "tst_drillscore.moc"
