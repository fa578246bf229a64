#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

// Whole files as tests set them up and look at them.
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

// While one lives, no file of this process may grow past a few bytes: every
// longer write fails as it would on a full disk, also for root.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit saved_{};
};

// While one lives, file permissions hold for this process even when it runs
// as root: it works as the unprivileged user and group "nobody".
class AsNobody {
public:
    AsNobody() : wasRoot_(::geteuid() == 0)
    {
        if (wasRoot_ && (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0))
            std::abort();
    }
    ~AsNobody()
    {
        if (wasRoot_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
            std::abort();
    }
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_;
};
