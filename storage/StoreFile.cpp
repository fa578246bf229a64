#include "storage/StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StoreFile {
namespace {

const QString kIsALink = QStringLiteral("Is a symbolic link");
const QString kFolderIsALink = QStringLiteral("Its folder is a symbolic link");
const QString kNotRegular = QStringLiteral("Not a regular file");
// A new file is named path + this + six letters or digits; a save that was
// killed can leave one behind.
const QString kNewFileInfix = QStringLiteral(".new-");
constexpr int kNewFileLetters = 6;
constexpr std::chrono::milliseconds kLockPoll{5};

QString Reason(int error)
{
    return error == ELOOP ? kIsALink : qt_error_string(error);
}

bool IsLink(const QByteArray &name)
{
    struct stat info {};
    return ::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

QString NewFileName(const QString &path)
{
    static const QLatin1StringView letters("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString name = path + kNewFileInfix;
    for (int i = 0; i < kNewFileLetters; ++i)
        name += letters.at(QRandomGenerator::global()->bounded(static_cast<int>(letters.size())));
    return name;
}

std::optional<QString> WriteAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return qt_error_string(errno);
        done += written;
    }
    return std::nullopt;
}

// Writes the new file whole and flushes it to the disk; closes fd.
std::optional<QString> FillNewFile(int fd, QByteArrayView bytes, const struct stat *old)
{
    std::optional<QString> error;
    // The new file takes the place of the old one, with its permissions.
    if (old && ::fchmod(fd, old->st_mode & 07777) != 0)
        error = qt_error_string(errno);
    if (!error)
        error = WriteAll(fd, bytes);
    // Some filesystems report a full disk only when the data is flushed.
    if (!error && ::fsync(fd) != 0)
        error = qt_error_string(errno);
    if (::close(fd) != 0 && !error)
        error = qt_error_string(errno);
    return error;
}

void RemoveLeftNewFiles(const QString &path)
{
    const QFileInfo store(path);
    const QString pattern = store.fileName() + kNewFileInfix + QString(kNewFileLetters, QLatin1Char('?'));
    QDir folder = store.dir();
    for (const QString &left : folder.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(left);
}

}  // namespace

ReadResult ReadWhole(const QString &path, Links links)
{
    const bool refuseLinks = links == Links::Refused;
    // The file itself is refused by the open, which leaves no moment for a
    // link to be put in its place after a look.
    if (refuseLinks && IsLink(QFile::encodeName(QFileInfo(path).path())))
        return {{}, kFolderIsALink};
    // Not blocking, so that a FIFO opens at once and is refused below.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | (refuseLinks ? O_NOFOLLOW : 0) | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, Reason(errno)};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const QString reason = qt_error_string(errno);
        ::close(fd);
        return {{}, reason};
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return {{}, kNotRegular};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, file.errorString()};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {std::move(bytes), std::nullopt};
}

std::optional<QString> LinkOnTheWay(const QString &path)
{
    if (IsLink(QFile::encodeName(path)))
        return kIsALink;
    if (IsLink(QFile::encodeName(QFileInfo(path).path())))
        return kFolderIsALink;
    return std::nullopt;
}

bool IsThere(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

std::optional<QString> WriteWhole(const QString &path, QByteArrayView bytes)
{
    if (std::optional<QString> refused = LinkOnTheWay(path))
        return refused;
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::lstat(name.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return qt_error_string(EISDIR);
    if (exists && !S_ISREG(old.st_mode))
        return kNotRegular;
    // A file marked read-only is meant to stay as it is, and the new file
    // would take its place regardless. Its owner's write bit decides as well
    // as whether this user may write it, since root always may.
    if (exists && (!(old.st_mode & S_IWUSR) || ::access(name.constData(), W_OK) != 0))
        return qt_error_string(EACCES);

    QByteArray newName;
    int fd = -1;
    do {
        newName = QFile::encodeName(NewFileName(path));
        fd = ::open(newName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EEXIST);
    if (fd < 0)
        return Reason(errno);
    std::optional<QString> error = FillNewFile(fd, bytes, exists ? &old : nullptr);
    if (!error && ::rename(newName.constData(), name.constData()) != 0)
        error = Reason(errno);
    if (error)
        ::unlink(newName.constData());
    return error;
}

Lock::Lock(const QString &path, std::chrono::milliseconds wait) : lockName_(QFile::encodeName(path + QStringLiteral(".lock")))
{
    if (std::optional<QString> refused = LinkOnTheWay(path + QStringLiteral(".lock"))) {
        error_ = refused;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        error_ = Take(lockName_);
        if (fd_ >= 0 || !busy_ || std::chrono::steady_clock::now() >= deadline)
            break;
        QThread::msleep(static_cast<unsigned long>(kLockPoll.count()));
    }
    if (fd_ >= 0)
        RemoveLeftNewFiles(path);
}

std::optional<QString> Lock::Take(const QByteArray &lockName)
{
    busy_ = false;
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return Reason(errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(fd);
        busy_ = reason == EWOULDBLOCK;
        return busy_ ? QStringLiteral("The file is being saved by another copy of the program") : Reason(reason);
    }
    // The copy that held it before may have removed the file meanwhile: a
    // lock on a file no longer there locks nothing.
    struct stat held {};
    struct stat there {};
    if (::fstat(fd, &held) != 0 || ::lstat(lockName.constData(), &there) != 0 || held.st_ino != there.st_ino ||
        held.st_dev != there.st_dev) {
        ::close(fd);
        busy_ = true;
        return QStringLiteral("The file is being saved by another copy of the program");
    }
    // Which process holds it, for a person looking; the lock itself is the
    // system's and needs nothing in the file.
    std::optional<QString> error;
    if (::ftruncate(fd, 0) != 0)
        error = qt_error_string(errno);
    if (!error)
        error = WriteAll(fd, QByteArray::number(::getpid()) + '\n');
    if (error) {
        ::unlink(lockName.constData());
        ::close(fd);
        return error;
    }
    fd_ = fd;
    return std::nullopt;
}

Lock::~Lock()
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that a copy waiting for it finds it gone
    // and makes a new one.
    ::unlink(lockName_.constData());
    ::close(fd_);
}

}  // namespace StoreFile
