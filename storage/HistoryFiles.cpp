#include "storage/HistoryFiles.h"

#include "notices/ErrorText.h"
#include "storage/StoreFile.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HistoryFiles {
namespace {

const QLatin1StringView kJournals[] = {QLatin1StringView("-wal"), QLatin1StringView("-journal")};

qint64 SizeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : 0;
}

}  // namespace

QStringList AllOf(const QString &path)
{
    return {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm"), path + QStringLiteral("-journal")};
}

std::optional<QString> LinkRefused(const QString &path)
{
    for (const QString &file : AllOf(path)) {
        if (const std::optional<QString> refused = StoreFile::LinkOnTheWay(file))
            return ErrorText::CannotOpenFile(file, *refused);
    }
    return std::nullopt;
}

bool MarkedReadOnly(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && !(info.st_mode & S_IWUSR);
}

int VersionOnDisk(const QString &path)
{
    // Not blocking, so that a FIFO in its place is not waited for.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat info {};
    unsigned char header[64] = {};
    const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ::read(fd, header, sizeof header) == static_cast<ssize_t>(sizeof header);
    ::close(fd);
    if (!read || std::memcmp(header, "SQLite format 3", 16) != 0)
        return 0;
    // A big-endian number at byte 60.
    return static_cast<int>((quint32(header[60]) << 24) | (quint32(header[61]) << 16) | (quint32(header[62]) << 8) |
                            quint32(header[63]));
}

QString AsideName(const QString &path)
{
    return path + QStringLiteral(".damaged-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

JournalCopy::JournalCopy(const QString &path) : path_(path)
{
    QStringList journals;
    for (QLatin1StringView suffix : kJournals) {
        if (SizeOf(path + suffix) > 0)
            journals << suffix;
    }
    if (journals.isEmpty())
        return;
    // Named for this process, so that two copies of the program opening at
    // once never share one.
    const QString copy = path + QStringLiteral(".copy-%1").arg(::getpid());
    for (const QString &suffix : QStringList{QString()} + journals) {
        if (!QFile::copy(path + suffix, copy + suffix)) {
            // No room or no right to copy: the history opens as it would
            // without the copy.
            Remove();
            return;
        }
        suffixes_ << suffix;
    }
}

JournalCopy::~JournalCopy()
{
    Remove();
}

void JournalCopy::Remove()
{
    for (const QString &suffix : std::as_const(suffixes_))
        QFile::remove(path_ + QStringLiteral(".copy-%1").arg(::getpid()) + suffix);
    suffixes_.clear();
}

std::optional<QString> JournalCopy::Keep()
{
    aside_ = AsideName(path_);
    const QString copy = path_ + QStringLiteral(".copy-%1").arg(::getpid());
    for (const QString &suffix : std::as_const(suffixes_)) {
        if (::rename(QFile::encodeName(copy + suffix).constData(), QFile::encodeName(aside_ + suffix).constData()) !=
            0)
            return QStringLiteral("成长记录的文件 %1 坏了，没能另存：%2").arg(path_, qt_error_string(errno));
    }
    suffixes_.clear();
    for (const QString &file : AllOf(path_)) {
        if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT)
            return QStringLiteral("成长记录的文件坏了，已经另存为 %1，但是 %2 没能删掉：%3")
                .arg(aside_, file, qt_error_string(errno));
    }
    return std::nullopt;
}

std::optional<QString> SetAside(const QString &path, const QString &aside)
{
    const QStringList from = AllOf(path);
    const QStringList to = AllOf(aside);
    QList<qsizetype> moved;
    for (qsizetype k = 0; k < from.size(); ++k) {
        if (k > 0 && !StoreFile::IsThere(from.at(k)))
            continue;
        if (::rename(QFile::encodeName(from.at(k)).constData(), QFile::encodeName(to.at(k)).constData()) != 0) {
            const QString reason = qt_error_string(errno);
            // A journal left behind would be replayed into the new history:
            // all stay together where they were.
            for (const qsizetype done : std::as_const(moved))
                (void)::rename(QFile::encodeName(to.at(done)).constData(),
                               QFile::encodeName(from.at(done)).constData());
            // Named as they are: nothing was set aside.
            return QStringLiteral("成长记录的文件 %1 坏了，没能另存：%2").arg(from.at(k), reason);
        }
        moved << k;
    }
    return std::nullopt;
}

}  // namespace HistoryFiles
