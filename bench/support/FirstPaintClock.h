#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// For a start-up child: once the window's first paint is on screen, prints
// the CLOCK_MONOTONIC time in nanoseconds and ends the process there and
// then, so its peak memory is the first paint's and nothing scheduled after
// it counts.
class FirstPaintClock : public QObject {
public:
    // Install after anything else that watches the window's first paint, so
    // that this one's timer runs first.
    explicit FirstPaintClock(QWidget *window) : window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched == window_) {
            seen_ = true;
            // Let the rest of the paint pass and the flush finish first.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QWidget *window_;
    bool seen_ = false;
};
