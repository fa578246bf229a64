#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <chrono>
#include <optional>

// Whole-file reads and writes for the program's own files: the tips store,
// the drill records and the notebook of missed problems. Failures come back
// as the system's reason, for the caller's "Cannot open file" or "Cannot
// create file" text.
//
// A symbolic link is never read or written through: a store, a record file,
// a lock or the folder holding one that is a link is refused, so that
// someone who can plant a link in a shared folder cannot make the program
// write over another file of the user's.
namespace StoreFile {

struct ReadResult {
    QByteArray bytes;
    std::optional<QString> error;
};

// Whether a read goes through symbolic links. The user's files never do;
// the files shipped with the program (the cues, the starter tips) are only
// ever read, and a packager or the user may well have linked them.
enum class Links { Refused, Followed };

// The whole content of a regular file. A link (unless followed), or anything
// but a regular file (a FIFO, a device, a folder), is refused before
// anything is read, since reading it could wait for ever.
ReadResult ReadWhole(const QString &path, Links links = Links::Refused);

// Whether there is anything at path, a link to nothing included.
bool IsThere(const QString &path);

// "Is a symbolic link" when path is one (a link to nothing included), "Its
// folder is a symbolic link" when the folder holding it is one.
std::optional<QString> LinkOnTheWay(const QString &path);

// Makes bytes the file's whole content. They go into a new file beside it,
// which takes the old one's place only once every byte has reached the disk;
// any failure, a full disk, a failed flush or rename included, leaves the
// old file as it was, byte for byte, and removes the new one. A file marked
// read-only (its owner's write bit clear) is refused as "Permission denied",
// also for root.
std::optional<QString> WriteWhole(const QString &path, QByteArrayView bytes);

// What the user interface may wait for a lock: a save that finds it busy
// longer tries again later.
inline constexpr std::chrono::milliseconds kQuickLockWait{20};

// Holds the lock beside path (path + ".lock") while it lives, so that two
// copies of the program never read, change and write one file at the same
// time. The lock is the system's lock on that file, which ends with the
// process that held it: a lock file left behind by a copy that died, empty
// or holding anything at all, is taken over at once. Once held, the new
// files a crashed save left beside path are removed.
class Lock {
public:
    explicit Lock(const QString &path, std::chrono::milliseconds wait = kQuickLockWait);
    ~Lock();
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    // Empty when the lock is held, otherwise why it could not be taken.
    const std::optional<QString> &Error() const { return error_; }
    // Another copy held it for the whole wait: worth trying again shortly.
    bool Busy() const { return busy_; }

private:
    std::optional<QString> Take(const QByteArray &lockName);

    QByteArray lockName_;
    int fd_ = -1;
    std::optional<QString> error_;
    bool busy_ = false;
};

// Why a save did not happen: the error box's text, and whether only a busy
// lock stood in the way.
struct SaveFailure {
    QString text;
    bool lockBusy = false;
};

}  // namespace StoreFile
