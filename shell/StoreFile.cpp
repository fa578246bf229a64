#include "shell/StoreFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace StoreFile {
namespace {

// A second copy saving the same file is done within milliseconds; waiting
// longer than this means the lock is not coming free.
constexpr int kLockWaitMs = 5000;

}  // namespace

ReadResult ReadWhole(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {{}, QStringLiteral("Not a regular file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), std::nullopt};
}

std::optional<QString> WriteWhole(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a write the disk refuses fails at once: through
    // Qt's buffer a full disk goes unnoticed and commit() still succeeds.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        done += static_cast<qsizetype>(written);
    }
    // Some filesystems report a full disk only when the data is flushed.
    if (::fsync(file.handle()) != 0) {
        const QString reason = qt_error_string(errno);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

Lock::Lock(const QString &path) : lock_(std::make_unique<QLockFile>(path + QStringLiteral(".lock")))
{
    if (lock_->tryLock(kLockWaitMs))
        return;
    switch (lock_->error()) {
    case QLockFile::LockFailedError:
        error_ = QStringLiteral("The file is being saved by another copy of the program");
        break;
    case QLockFile::PermissionError:
        error_ = QStringLiteral("Permission denied");
        break;
    default:
        error_ = QStringLiteral("Unknown error");
        break;
    }
}

Lock::~Lock() = default;

}  // namespace StoreFile
