#pragma once

#include <QString>

// The texts that reach the general error box.
namespace ErrorText {

QString CannotOpenFile(const QString &fullPath, const QString &reason);
QString CannotCreateFile(const QString &fullPath, const QString &reason);
QString CannotCreateFolder(const QString &fullPath, const QString &reason);
QString NotAValidInteger(const QString &text);
// A sheet that did not reach its printer or PDF file.
QString CannotPrint(const QString &target, const QString &reason);

// The error box ends a text with a full stop when its last character sorts
// after "." byte-wise; texts ending in "." or ")" are left as they are.
QString WithClosingFullStop(const QString &text);

}  // namespace ErrorText
