#pragma once

#include <QString>

enum class DrillMode { Practice, Competition };

// The drill window's title, set by the menu before the window is shown: the
// window tells its mode by comparing its title with these.
inline QString DrillTitle(DrillMode mode)
{
    return mode == DrillMode::Competition ? QStringLiteral("口算竞技篇") : QStringLiteral("口算练习篇");
}

// The caption of the result panel's restart button, set by the menu too.
inline QString RestartCaption(DrillMode mode)
{
    return mode == DrillMode::Competition ? QStringLiteral("重新竞技") : QStringLiteral("重新练习");
}
