#pragma once

#include <QString>

// Every file the program touches lives beside its executable. Relative paths
// are written the way the program stores them, with backslashes
// ("Sound\\dui.wav"); the platform's separator takes their place here.
namespace InstallFolder {

// The folder of the running executable, ending in a separator.
QString ExecutableFolder();

// root (ending in a separator) followed by the relative path.
QString Join(const QString &root, const QString &relativePath);

// ExecutableFolder() followed by the relative path.
QString PathOf(const QString &relativePath);

}  // namespace InstallFolder
