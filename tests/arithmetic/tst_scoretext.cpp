#include "arithmetic/ScoreText.h"

#include <QLocale>
#include <QTest>

class tst_ScoreText : public QObject {
    Q_OBJECT

private slots:
    void generalDecimalForm_data()
    {
        QTest::addColumn<qint64>("tenThousandths");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole hundred") << qint64(1000000) << "100分";
        QTest::newRow("zero") << qint64(0) << "0分";
        QTest::newRow("one place") << qint64(125000) << "12.5分";
        QTest::newRow("four places") << qint64(666667) << "66.6667分";
        QTest::newRow("leading zero kept in fraction") << qint64(7812) << "0.7812分";
        QTest::newRow("zero inside fraction") << qint64(23438) << "2.3438分";
        QTest::newRow("trailing zeros dropped") << qint64(12500) << "1.25分";
        QTest::newRow("below one point") << qint64(1) << "0.0001分";
    }

    void generalDecimalForm()
    {
        QFETCH(qint64, tenThousandths);
        QTEST(ScoreText(tenThousandths, QLocale::c()), "text");
    }

    void separatorIsTheLocales()
    {
        QCOMPARE(ScoreText(125000, QLocale(QLocale::German)), QString("12,5分"));
        QCOMPARE(ScoreText(1000000, QLocale(QLocale::German)), QString("100分"));
        QCOMPARE(ScoreText(333333, QLocale(QLocale::Chinese, QLocale::China)), QString("33.3333分"));
    }
};

QTEST_GUILESS_MAIN(tst_ScoreText)
#include "tst_scoretext.moc"
