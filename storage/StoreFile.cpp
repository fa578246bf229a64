#include "storage/StoreFile.h"

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
    // A file marked read-only is meant to stay as it is, and the new file
    // would take its place regardless. Its owner's write bit decides as well
    // as whether this user may write it, since root always may.
    const QFileInfo existing(path);
    if (existing.exists() && (!existing.permissions().testFlag(QFileDevice::WriteOwner) || !existing.isWritable()))
        return qt_error_string(EACCES);
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
    // QLockFile names no reason for a lock file it could not create or
    // write (a full disk, a missing folder, a read-only folder), but it
    // returns straight after the failing call, whose errno is still set.
    errno = 0;
    if (lock_->tryLock(kLockWaitMs))
        return;
    const int reason = errno;
    if (lock_->error() == QLockFile::LockFailedError)
        error_ = QStringLiteral("The file is being saved by another copy of the program");
    else if (reason != 0)
        error_ = qt_error_string(reason);
    else
        error_ = QStringLiteral("Unknown error");
}

Lock::~Lock() = default;

}  // namespace StoreFile
