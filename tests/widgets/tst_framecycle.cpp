#include "widgets/FrameCycle.h"

#include <QTest>

class tst_FrameCycle : public QObject {
    Q_OBJECT

private slots:
    void sevenStepTable()
    {
        FrameCycle cycle;
        const FrameCycle::Change expected[] = {{1, 6, true}, {2, 1, true}, {3, 2, true}, {4, 3, true},
                                               {5, 4, true}, {6, 5, true}, {1, 6, false}};
        for (int round = 0; round < 2; ++round) {
            for (const FrameCycle::Change &e : expected) {
                const FrameCycle::Change c = cycle.Tick();
                QCOMPARE(c.show, e.show);
                QCOMPARE(c.hide, e.hide);
                QCOMPARE(c.raise, e.raise);
            }
            QCOMPARE(cycle.Step(), 0);
        }
    }
};

QTEST_APPLESS_MAIN(tst_FrameCycle)
#include "tst_framecycle.moc"
