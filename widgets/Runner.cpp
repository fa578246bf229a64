#include "widgets/Runner.h"

#include "widgets/AccessiblePicture.h"
#include "widgets/PictureBox.h"

namespace {

constexpr QSize kFrameSize{41, 41};
constexpr QSize kIconSize{32, 32};

}  // namespace

Runner::Runner(QWidget *parent, const std::array<RunnerFrame, 6> &frames, FrameCycle *cycle)
    : QWidget(parent), cycle_(cycle ? *cycle : ownCycle_)
{
    AccessiblePicture::Install();
    resize(kFrameSize);
    setAccessibleName(QStringLiteral("奔跑的小狗"));
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        auto *frame = new PictureBox(this);
        frame->setObjectName(QLatin1String(frames[i].name));
        frame->setGeometry(QRect(QPoint(0, 0), kFrameSize));
        frame->setPicture(QStringLiteral(":/dog/frame%1.svg").arg(i + 1), PictureBox::Fit::TopLeft, kIconSize);
        frame->setAccessibleName(QStringLiteral("小狗"));
        frame->hide();
        frames_[i] = frame;
        *frames[i].member = frame;
    }
    hide();
}

PictureBox *Runner::Frame(int number) const
{
    return frames_.at(static_cast<std::size_t>(number - 1));
}

void Runner::Animate()
{
    const FrameCycle::Change change = cycle_.Tick();
    Frame(change.show)->show();
    Frame(change.hide)->hide();
    show();
    if (!change.raise)
        return;
    if (ceiling_)
        stackUnder(ceiling_);
    else
        raise();
}

void Runner::HideFrames()
{
    for (PictureBox *frame : frames_)
        frame->hide();
    hide();
}
