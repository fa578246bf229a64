#include "notices/ErrorText.h"

namespace ErrorText {

QString CannotOpenFile(const QString &fullPath, const QString &reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath, reason);
}

QString CannotCreateFile(const QString &fullPath, const QString &reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath, reason);
}

QString CannotCreateFolder(const QString &fullPath, const QString &reason)
{
    return QStringLiteral("Cannot create folder \"%1\". %2").arg(fullPath, reason);
}

QString NotAValidInteger(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

QString CannotPrint(const QString &target, const QString &reason)
{
    return QStringLiteral("Cannot print to \"%1\". %2").arg(target, reason);
}

QString WithClosingFullStop(const QString &text)
{
    // Every character outside ASCII starts with a byte above 0x7F in any
    // multi-byte code page, so comparing the code unit gives the same order.
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

}  // namespace ErrorText
