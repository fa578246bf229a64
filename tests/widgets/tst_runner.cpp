#include "widgets/PictureBox.h"
#include "widgets/Runner.h"

#include <QTest>

namespace {

// A runner whose frames the test reaches through Frame().
Runner *MakeRunner(QWidget *window, FrameCycle *cycle = nullptr)
{
    std::array<PictureBox *, 6> members{};
    return new Runner(window,
                      {{{&members[0], "Image3"}, {&members[1], "Image4"}, {&members[2], "Image5"},
                        {&members[3], "Image6"}, {&members[4], "Image7"}, {&members[5], "Image8"}}},
                      cycle);
}

// The frame on show, 1 to 6, or 0 when none is.
int ShownFrame(const Runner &runner)
{
    int shown = 0;
    for (int frame = 1; frame <= 6; ++frame) {
        if (runner.Frame(frame)->isVisible()) {
            if (shown != 0)
                return -1;
            shown = frame;
        }
    }
    return shown;
}

// A window with the runner in its corner, and a square lying over it.
struct Scene {
    QWidget window;
    Runner *runner = MakeRunner(&window);
    QWidget *cover = new QWidget(&window);

    Scene()
    {
        window.resize(200, 200);
        runner->move(10, 10);
        cover->setGeometry(0, 0, 100, 100);
        window.show();
    }

    bool runnerOnTop() const { return window.childAt(20, 20) != cover; }
};

}  // namespace

class tst_Runner : public QObject {
    Q_OBJECT

private slots:
    void runsItsCycleOneFrameAtATime()
    {
        Scene scene;
        QCOMPARE(ShownFrame(*scene.runner), 0);
        QVERIFY(!scene.runner->isVisible());
        for (int shown : {1, 2, 3, 4, 5, 6, 1, 1, 2, 3, 4, 5, 6, 1}) {
            scene.runner->Animate();
            QCOMPARE(ShownFrame(*scene.runner), shown);
        }
        scene.runner->HideFrames();
        QCOMPARE(ShownFrame(*scene.runner), 0);
        QVERIFY(!scene.runner->isVisible());
    }

    void comesForwardButOnTheClosingTick()
    {
        Scene scene;
        for (int tick = 1; tick <= 6; ++tick) {
            scene.cover->raise();
            scene.runner->Animate();
            QVERIFY2(scene.runnerOnTop(), qPrintable(QString::number(tick)));
        }
        scene.cover->raise();
        scene.runner->Animate();
        QVERIFY(!scene.runnerOnTop());
    }

    void aSharedCycleCarriesOnInTheNextRunner()
    {
        FrameCycle cycle;
        {
            Scene first;
            Runner *runner = MakeRunner(&first.window, &cycle);
            runner->Animate();
            runner->Animate();
        }
        Scene next;
        Runner *runner = MakeRunner(&next.window, &cycle);
        runner->Animate();
        QCOMPARE(ShownFrame(*runner), 3);
        // A runner of its own starts from the beginning.
        next.runner->Animate();
        QCOMPARE(ShownFrame(*next.runner), 1);
    }
};

QTEST_MAIN(tst_Runner)
#include "tst_runner.moc"
