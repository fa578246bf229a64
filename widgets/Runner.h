#pragma once

#include "widgets/FrameCycle.h"

#include <QWidget>
#include <array>

class PictureBox;

// A window's member for one frame, which the runner fills in, and the
// frame's object name.
struct RunnerFrame {
    PictureBox **member;
    const char *name;
};

// The running dog: six 41 × 41 frames stacked in one place, one shown at a
// time, and the FrameCycle that steps through them. The runner moves as one;
// it stays hidden until its first step.
class Runner : public QWidget {
    Q_OBJECT

public:
    // frames are given frame 1 first. A cycle given here outlives the
    // runner, so the run carries on across windows; otherwise the runner
    // keeps its own, which no start resets.
    Runner(QWidget *parent, const std::array<RunnerFrame, 6> &frames, FrameCycle *cycle = nullptr);

    PictureBox *Frame(int number) const;  // 1 to 6

    // Bringing the runner forward puts it just beneath ceiling, a sibling,
    // so that it never covers that control or those above it.
    void setCeiling(QWidget *ceiling) { ceiling_ = ceiling; }

    // One tick of the cycle: the next frame shown, the last one hidden and,
    // but on the cycle's closing tick, the runner brought to the front.
    void Animate();
    void HideFrames();

private:
    FrameCycle ownCycle_;
    FrameCycle &cycle_;
    std::array<PictureBox *, 6> frames_{};
    QWidget *ceiling_ = nullptr;
};
