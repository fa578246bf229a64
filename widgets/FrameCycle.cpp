#include "widgets/FrameCycle.h"

FrameCycle::Change FrameCycle::Tick()
{
    ++step_;
    if (step_ == 7) {
        step_ = 0;
        return {1, 6, false};
    }
    return {step_, step_ == 1 ? 6 : step_ - 1, true};
}
