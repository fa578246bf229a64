#pragma once

#include <QString>

// The name on the task bar and the title of every message box.
inline QString ApplicationTitle()
{
    return QStringLiteral("Numbrook");
}
