#pragma once

#include <cstdlib>
#include <unistd.h>

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
