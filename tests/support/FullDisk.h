#pragma once

#include <csignal>
#include <sys/resource.h>

// While one lives, no file of this process may grow past the given size:
// every write beyond it fails at once with "File too large", as a full disk
// would fail it, also for root, who may write where others may not.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        // Past the limit the kernel would otherwise end the process.
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
