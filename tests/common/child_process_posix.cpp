#include "tests/common/child_process.h"

#include <algorithm>
#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Standard input: the given file, or a memory file holding the given text.
int OpenInput(const ProcessOptions& options)
{
    if (!options.inputFile.empty())
        return ::open(options.inputFile.c_str(), O_RDONLY | O_CLOEXEC);
    const int fd = ::memfd_create("input", MFD_CLOEXEC);
    const auto size = static_cast<ssize_t>(options.input.size());
    if (fd >= 0 && ::write(fd, options.input.data(), options.input.size()) == size
        && ::lseek(fd, 0, SEEK_SET) == 0)
        return fd;
    return -1;
}

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return std::max(0, static_cast<int>(left.count()));
}

} // namespace

struct CChildProcess::CSystem {
    // Takes the output arriving within `timeoutMs` (or until the end, if `watchEnd`); false: none.
    bool Collect(ProcessResult& result, int timeoutMs, bool watchEnd);
    bool Reap(ProcessResult& result, bool block);

    pid_t pid = -1;
    int out = -1, err = -1;
    int ended = -1; // pidfd
};

CChildProcess::CChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
    : m_system(std::make_unique<CSystem>())
{
    CSystem& s = *m_system;
    // Environment, file size limit and user are set by env(1), prlimit(1) and setpriv(1), so
    // that nothing but a few system calls runs between fork and exec.
    std::vector<std::string> args{"/usr/bin/env"};
    for (const auto& [name, value] : options.env)
        args.push_back(name + "=" + value);
    if (options.fileSizeLimit > 0)
        args.insert(args.end(), {"/usr/bin/prlimit", "--fsize=" + std::to_string(options.fileSizeLimit)});
    // Root stays root, so that it reaches its own private folders, but loses the capabilities
    // that let it pass by permission bits.
    if (options.unprivileged && ::geteuid() == 0)
        args.insert(args.end(), {"/usr/bin/setpriv", "--bounding-set=-all", "--inh-caps=-all"});
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<char*> cargs;
    for (std::string& a : args)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);
    const int in = OpenInput(options);
    const int file = options.outputFile.empty() ? -1 : ::open(options.outputFile.c_str(), O_WRONLY | O_CLOEXEC);
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (in < 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return;
    s.pid = ::fork();
    if (s.pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
            ::signal(sig, SIG_DFL);
        ::signal(SIGXFSZ, SIG_IGN); // stays ignored across exec: writes past a limit fail (EFBIG)
        ::dup2(in, STDIN_FILENO);
        ::dup2(file >= 0 ? file : out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execv(cargs[0], cargs.data());
        ::_exit(127);
    }
    for (int fd : {in, file, out[1], err[1]})
        if (fd >= 0)
            ::close(fd);
    s.out = out[0];
    s.err = err[0];
    // Readable once the child has ended, whoever else still holds its output open.
    s.ended = s.pid > 0 ? static_cast<int>(::syscall(SYS_pidfd_open, s.pid, 0)) : -1;
}

CChildProcess::~CChildProcess()
{
    Signal(SIGKILL);
    m_system->Reap(m_result, true);
    for (int fd : {m_system->out, m_system->err, m_system->ended})
        if (fd >= 0)
            ::close(fd);
}

bool CChildProcess::CSystem::Collect(ProcessResult& result, int timeoutMs, bool watchEnd)
{
    struct pollfd fds[3] = {{out, POLLIN, 0}, {err, POLLIN, 0}, {watchEnd ? ended : -1, POLLIN, 0}};
    if (::poll(fds, 3, timeoutMs) <= 0)
        return false;
    int* owners[2] = {&out, &err};
    std::string* sinks[2] = {&result.out, &result.err};
    for (int i = 0; i < 2; ++i) {
        char buffer[4096];
        const ssize_t n = fds[i].revents ? ::read(*owners[i], buffer, sizeof buffer) : -1;
        if (n > 0) {
            sinks[i]->append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            ::close(*owners[i]);
            *owners[i] = -1;
        }
    }
    return true;
}

bool CChildProcess::CSystem::Reap(ProcessResult& result, bool block)
{
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, block ? 0 : WNOHANG) != pid)
        return false;
    pid = -1;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return true;
}

bool CChildProcess::WaitForOutput(const std::string& text, int timeoutMs, bool onError)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while ((onError ? m_result.err : m_result.out).find(text) == std::string::npos) {
        if ((onError ? m_system->err : m_system->out) < 0 || MillisecondsUntil(deadline) == 0)
            return false;
        m_system->Collect(m_result, MillisecondsUntil(deadline), false);
    }
    return true;
}

long CChildProcess::Pid() const
{
    return m_system->pid;
}

void CChildProcess::Signal(int sig)
{
    if (m_system->pid > 0)
        ::kill(m_system->pid, sig);
}

ProcessResult CChildProcess::Finish(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    CSystem& s = *m_system;
    while (s.pid > 0 && !s.Reap(m_result, false) && MillisecondsUntil(deadline) > 0)
        s.Collect(m_result, MillisecondsUntil(deadline), true);
    Signal(SIGKILL); // one that hangs
    s.Reap(m_result, true);
    // What the process wrote just before it ended.
    while ((s.out >= 0 || s.err >= 0) && s.Collect(m_result, 0, false)) {
    }
    return m_result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
{
    return CChildProcess(argv, options).Finish();
}
