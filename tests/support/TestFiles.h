#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Plain reads and writes for setting up and checking files in tests.
namespace TestFiles {

// The file's bytes, or a text that no test expects when it cannot be read.
inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable: " + file.errorString().toUtf8();
    return file.readAll();
}

inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace TestFiles
