#pragma once

// The six-frame loop of the running dogs: each tick shows the next frame,
// hides the one before and brings the new one to the front. The seventh tick
// shows frame 1 again without bringing it forward and starts over, so frame 1
// stays up for two ticks.
class FrameCycle {
public:
    struct Change {
        int show;   // frame 1 to 6
        int hide;   // frame 1 to 6
        bool raise; // bring the shown frame to the front
    };

    Change Tick();
    int Step() const { return step_; }

private:
    int step_ = 0;
};
