#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

class QLockFile;

// Whole-file reads and writes for the program's own text files: the tips
// store, the drill records and the notebook of missed problems. Failures
// come back as the system's reason, for the caller's "Cannot open file" or
// "Cannot create file" text.
namespace StoreFile {

struct ReadResult {
    QByteArray bytes;
    std::optional<QString> error;
};

// The whole content of a regular file or of a link to one. Anything else (a
// FIFO, a device, a folder) is refused before it is opened, since reading it
// could wait for ever.
ReadResult ReadWhole(const QString &path);

// Makes bytes the file's whole content. They go into a new file beside it,
// which takes the old one's place only once every byte has reached the disk;
// any failure, a full disk included, leaves the old file as it was, byte for
// byte. It never falls back to rewriting the old file in place. A file
// marked read-only (its owner's write bit clear) is refused as "Permission
// denied", also for root.
std::optional<QString> WriteWhole(const QString &path, QByteArrayView bytes);

// Holds the lock file beside path (path + ".lock") while it lives, so that
// two copies of the program never read, change and write one file at the
// same time. A lock left behind by a copy that died is taken over.
class Lock {
public:
    explicit Lock(const QString &path);
    ~Lock();
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    // Empty when the lock is held, otherwise why it could not be taken.
    const std::optional<QString> &Error() const { return error_; }

private:
    std::unique_ptr<QLockFile> lock_;
    std::optional<QString> error_;
};

}  // namespace StoreFile
