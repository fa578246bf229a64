// Time from process start to the main menu's first complete paint, and the
// peak resident memory of that process, over repeated fresh starts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

long long MonotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

static void BM_StartupToFirstPaint(benchmark::State &state)
{
    double peakMegabytes = 0;
    for (auto _ : state) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        char *argv[] = {const_cast<char *>(STARTUP_CHILD), nullptr};

        const long long started = MonotonicNow();
        pid_t child = 0;
        const int spawned = posix_spawn(&child, STARTUP_CHILD, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        if (spawned != 0) {
            close(pipeFds[0]);
            state.SkipWithError("cannot start the probe");
            return;
        }
        std::string out;
        char buffer[64];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            out.append(buffer, static_cast<std::size_t>(n));
        close(pipeFds[0]);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.empty()) {
            state.SkipWithError("the probe did not paint");
            return;
        }
        const long long painted = std::stoll(out);
        state.SetIterationTime(static_cast<double>(painted - started) / 1e9);
        peakMegabytes = std::max(peakMegabytes, static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    state.counters["peak_rss_MB"] = peakMegabytes;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
