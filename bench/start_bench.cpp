// The desktop program's start: the time from exec to its main window mapped on the X display
// the benchmark runs on ($DISPLAY: `make bench` gives it a virtual one), and the program's
// resident memory at that moment. Every start has a home, configuration, cache and temporary
// folder of its own, all empty, so that each starts as for a new user and nothing of the
// person running the benchmark is read or left behind.
//
// Counters: rss_mb (resident memory when the main window was mapped, MB of 10^6 bytes), cpu_ms
// (the processor time the program had used by then, which a busy machine changes less than the
// wall time), load1 (the machine's load average over the last minute when the start ended: a
// busy machine shows in the times).

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

namespace {

using Clock = std::chrono::steady_clock;

// The main window's title ends so: "Untitled - PW-R455NORD".
const char kTitleEnd[] = " - PW-R455NORD";
constexpr auto kStartLimit = std::chrono::seconds(60);

class CScratchFolder {
public:
    CScratchFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pwrstartXXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~CScratchFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A window can be gone by the time its title is asked for; that is no failure.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

std::string WindowTitle(Display* display, Window window)
{
    XTextProperty property{};
    std::string title;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (XGetTextProperty(display, window, &property, XInternAtom(display, "_NET_WM_NAME", False)) ||
        XGetTextProperty(display, window, &property, XA_WM_NAME)) {
        if (property.value && (property.encoding == utf8 || property.encoding == XA_STRING))
            title.assign(reinterpret_cast<const char*>(property.value), property.nitems);
        XFree(property.value);
    }
    return title;
}

bool IsMainWindowTitle(const std::string& title)
{
    const std::string end = kTitleEnd;
    return title.size() > end.size() &&
           title.compare(title.size() - end.size(), end.size(), end) == 0;
}

// Waits for the map of a top-level window with the main window's title; false after the limit.
bool WaitForMainWindow(Display* display, Clock::time_point limit)
{
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < limit) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify &&
                IsMainWindowTitle(WindowTitle(display, event.xmap.window)))
                return true;
        }
        ::poll(&connection, 1, 100);
    }
    return false;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> value)
            return value;
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// The processor time (user and system) process `pid` has used, in milliseconds.
double CpuMilliseconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    // The name, field 2, is in parentheses and may hold blanks: fields are counted after it.
    std::getline(stat, field, ')');
    unsigned long utime = 0, stime = 0;
    for (int i = 3; i <= 13 && stat >> field; ++i) {
    }
    stat >> utime >> stime;
    return (utime + stime) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

double LoadAverage()
{
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

pid_t StartProgram(const std::string& folder)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    for (const char* variable :
         {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "TMPDIR"})
        ::setenv(variable, folder.c_str(), 1);
    ::execl(PWR455_BINARY, PWR455_BINARY, static_cast<char*>(nullptr));
    ::_exit(127);
}

// Ends the program as a desktop's log-out would, and waits for it.
void EndProgram(pid_t pid)
{
    ::kill(pid, SIGTERM);
    for (int tries = 0; tries < 100; ++tries) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        ::usleep(50 * 1000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

void BM_StartToMainWindow(benchmark::State& state)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display (run it under xvfb-run)");
        return;
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    double residentMb = 0;
    double cpuMs = 0;
    for (auto _ : state) {
        CScratchFolder folder;
        const auto start = Clock::now();
        const pid_t pid = StartProgram(folder.Path());
        const bool mapped = pid > 0 && WaitForMainWindow(display, start + kStartLimit);
        const auto end = Clock::now();
        const long resident = mapped ? ResidentKiB(pid) : 0;
        const double cpu = mapped ? CpuMilliseconds(pid) : 0;
        if (pid > 0)
            EndProgram(pid);
        if (!mapped) {
            state.SkipWithError("the main window did not come up");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        residentMb += resident * 1024.0 / 1e6;
        cpuMs += cpu;
    }
    state.counters["rss_mb"] = benchmark::Counter(residentMb, benchmark::Counter::kAvgIterations);
    state.counters["cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
    state.counters["load1"] = LoadAverage();
    XCloseDisplay(display);
}
BENCHMARK(BM_StartToMainWindow)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
