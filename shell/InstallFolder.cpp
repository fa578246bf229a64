#include "shell/InstallFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace InstallFolder {

QString ExecutableFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

QString Join(const QString &root, const QString &relativePath)
{
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QDir::separator());
    return root + relative;
}

QString PathOf(const QString &relativePath)
{
    return Join(ExecutableFolder(), relativePath);
}

}  // namespace InstallFolder
