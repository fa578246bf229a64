#include "support/FailingCalls.h"

#include <cerrno>
#include <dlfcn.h>
#include <utility>

namespace {

int failFsync = 0;
int failRename = 0;
std::function<void()> beforeFlock;

template <typename Function>
Function Real(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int Failed(int &error)
{
    errno = error;
    error = 0;
    return -1;
}

}  // namespace

void FailingCalls::FailNext(Call call, int error)
{
    (call == Call::Fsync ? failFsync : failRename) = error;
}

void FailingCalls::BeforeNextFlock(std::function<void()> happening)
{
    beforeFlock = std::move(happening);
}

extern "C" int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    return failFsync != 0 ? Failed(failFsync) : real(fd);
}

extern "C" int rename(const char *from, const char *to)
{
    static const auto real = Real<int (*)(const char *, const char *)>("rename");
    return failRename != 0 ? Failed(failRename) : real(from, to);
}

extern "C" int flock(int fd, int operation)
{
    static const auto real = Real<int (*)(int, int)>("flock");
    if (beforeFlock)
        std::exchange(beforeFlock, {})();
    return real(fd, operation);
}
