// Time from process start to the main menu's first complete paint, and the
// peak resident memory of that process, over repeated fresh starts: of the
// portable folder, and of the installed layout (bin/ beside share/numbrook)
// on a user's first start, when the user's folder is made and the tips
// seeded, and on later starts. The first is also measured against an empty
// frameless window of the menu's size, started in turn with it, so the
// figures hold on a machine of any speed and load.
#include <algorithm>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace fs = std::filesystem;

namespace {

long long MonotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The two layouts, laid out once in a temporary folder and removed at exit.
struct Layouts {
    fs::path root;
    fs::path portableChild;
    fs::path installedChild;
    fs::path home;

    Layouts()
    {
        std::string pattern = (fs::temp_directory_path() / "numbrook-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        const fs::path shipped = PORTABLE_FOLDER;
        const fs::path portable = root / "portable";
        fs::create_directories(portable);
        fs::copy(shipped / "Sound", portable / "Sound", fs::copy_options::recursive);
        fs::copy(shipped / "database", portable / "database", fs::copy_options::recursive);
        for (const char *records : {"Lxdui", "Lxcuo", "jjdui", "jjcuo"})
            fs::create_directories(portable / records);
        portableChild = portable / "startup_child";
        fs::copy_file(STARTUP_CHILD, portableChild);

        const fs::path share = root / "installed/share/numbrook";
        fs::create_directories(share);
        fs::copy(shipped / "Sound", share / "Sound", fs::copy_options::recursive);
        fs::copy(shipped / "database", share / "database", fs::copy_options::recursive);
        fs::create_directories(root / "installed/bin");
        installedChild = root / "installed/bin/startup_child";
        fs::copy_file(STARTUP_CHILD, installedChild);
        home = root / "home";
    }
    ~Layouts() { fs::remove_all(root); }
};

const Layouts &TheLayouts()
{
    static const Layouts layouts;
    return layouts;
}

// This process's environment with HOME set to home and no XDG_DATA_HOME.
std::vector<std::string> ChildEnvironment(const fs::path &home)
{
    std::vector<std::string> env;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("HOME=", 0) != 0 && text.rfind("XDG_DATA_HOME=", 0) != 0)
            env.push_back(text);
    }
    env.push_back("HOME=" + home.string());
    return env;
}

// One start: the time from spawning to the first paint, in seconds, or a
// negative number when the child failed. peakMegabytes grows to its peak, in
// MiB.
double TimeOneStart(const fs::path &child, const fs::path &home, double &peakMegabytes)
{
    std::vector<std::string> env = ChildEnvironment(home);
    std::vector<char *> envp;
    for (std::string &entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string path = child.string();
    char *argv[] = {path.data(), nullptr};

    const long long started = MonotonicNow();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return -1;
    }
    std::string out;
    char buffer[64];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.empty())
        return -1;
    peakMegabytes = std::max(peakMegabytes, static_cast<double>(usage.ru_maxrss) / 1024.0);
    return static_cast<double>(std::stoll(out) - started) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

enum class Start { Portable, InstalledFirst, InstalledLater };

}  // namespace

static void BM_StartupToFirstPaint(benchmark::State &state, Start start)
{
    const Layouts &layouts = TheLayouts();
    const fs::path &child = start == Start::Portable ? layouts.portableChild : layouts.installedChild;
    double peakMegabytes = 0;
    fs::remove_all(layouts.home);
    fs::create_directories(layouts.home);
    if (start == Start::InstalledLater && TimeOneStart(child, layouts.home, peakMegabytes) < 0) {
        state.SkipWithError("the first start failed");
        return;
    }
    for (auto _ : state) {
        if (start == Start::InstalledFirst) {
            state.PauseTiming();
            fs::remove_all(layouts.home);
            fs::create_directories(layouts.home);
            state.ResumeTiming();
        }
        const double seconds = TimeOneStart(child, layouts.home, peakMegabytes);
        if (seconds < 0) {
            state.SkipWithError("the probe did not paint");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["peak_rss_MB"] = peakMegabytes;
}
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, portable, Start::Portable)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, installed_first_start, Start::InstalledFirst)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_StartupToFirstPaint, installed_later_start, Start::InstalledLater)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Pairs of starts of the portable menu and the empty window, each going
// first in every other pair, so that whatever a start leaves behind for the
// next weighs on both alike: the median times of each, their ratio, and each
// one's peak memory. The iteration time is the menu's.
static void BM_MenuAgainstEmptyWindow(benchmark::State &state)
{
    const Layouts &layouts = TheLayouts();
    std::vector<double> menu;
    std::vector<double> empty;
    double menuPeak = 0;
    double emptyPeak = 0;
    bool menuFirst = true;
    for (auto _ : state) {
        double menuSeconds = 0;
        double emptySeconds = 0;
        if (menuFirst) {
            menuSeconds = TimeOneStart(layouts.portableChild, layouts.home, menuPeak);
            emptySeconds = TimeOneStart(EMPTY_WINDOW_CHILD, layouts.home, emptyPeak);
        } else {
            emptySeconds = TimeOneStart(EMPTY_WINDOW_CHILD, layouts.home, emptyPeak);
            menuSeconds = TimeOneStart(layouts.portableChild, layouts.home, menuPeak);
        }
        menuFirst = !menuFirst;
        if (menuSeconds < 0 || emptySeconds < 0) {
            state.SkipWithError("a probe did not paint");
            return;
        }
        menu.push_back(menuSeconds);
        empty.push_back(emptySeconds);
        state.SetIterationTime(menuSeconds);
    }
    state.counters["menu_ms"] = Median(menu) * 1e3;
    state.counters["empty_ms"] = Median(empty) * 1e3;
    state.counters["time_ratio"] = Median(menu) / Median(empty);
    state.counters["menu_peak_MiB"] = menuPeak;
    state.counters["empty_peak_MiB"] = emptyPeak;
}
BENCHMARK(BM_MenuAgainstEmptyWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

BENCHMARK_MAIN();
