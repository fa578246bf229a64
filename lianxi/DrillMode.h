#pragma once

#include <QString>

enum class DrillMode { Practice, Competition, Daily };

// The drill window's title, set by the menu before the window is shown: the
// window tells its mode by comparing its title with these.
inline QString DrillTitle(DrillMode mode)
{
    switch (mode) {
    case DrillMode::Competition:
        return QStringLiteral("口算竞技篇");
    case DrillMode::Daily:
        return QStringLiteral("今日练习");
    case DrillMode::Practice:
        break;
    }
    return QStringLiteral("口算练习篇");
}

// The caption of the result panel's restart button, set by the menu too.
inline QString RestartCaption(DrillMode mode)
{
    switch (mode) {
    case DrillMode::Competition:
        return QStringLiteral("重新竞技");
    case DrillMode::Daily:
        return QStringLiteral("再练一次");
    case DrillMode::Practice:
        break;
    }
    return QStringLiteral("重新练习");
}
