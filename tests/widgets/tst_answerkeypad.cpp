#include "widgets/AnswerKeypad.h"
#include "widgets/FlatButton.h"
#include "support/Contrast.h"

#include <QTest>

// Every digit keeps its own colour and stands out from its key at least
// 3:1, measured on the keypad as it is painted.
class tst_AnswerKeypad : public QObject {
    Q_OBJECT

private slots:
    void everyDigitStandsOutFromItsKey_data()
    {
        QTest::addColumn<int>("digit");
        for (int d = 0; d < 10; ++d)
            QTest::addRow("%d", d) << d;
    }

    void everyDigitStandsOutFromItsKey()
    {
        QFETCH(int, digit);
        AnswerKeypad keypad;
        keypad.resize(753, 65);
        keypad.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keypad));
        const QImage painted = keypad.grab().toImage();
        const QRect key = keypad.DigitKey(digit)->geometry();
        const qreal ratio = painted.devicePixelRatio();
        const QImage face = painted.copy(QRect(key.topLeft() * ratio, key.size() * ratio));
        const double contrast = Contrast::TextEdge(face);
        QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1:1").arg(contrast, 0, 'f', 2)));
    }
};

QTEST_MAIN(tst_AnswerKeypad)
#include "tst_answerkeypad.moc"
