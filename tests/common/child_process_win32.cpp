#include "tests/common/child_process.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include "platform/console.h"
#include "platform/user_folders.h"
#include "platform/utf16_win32.h"
#include "tests/common/test_system.h"

namespace {

// One argument as CommandLineToArgvW, and the C library's start-up code, read it back.
std::wstring Quoted(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        quoted.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        quoted += c;
        slashes = 0;
    }
    return quoted.append(slashes * 2, L'\\') + L"\"";
}

HANDLE OpenInherited(const std::string& path, DWORD access)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(Utf8ToWide(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         OPEN_EXISTING, 0, nullptr);
}

// A pipe whose end `childEnd` (0: reading, 1: writing) the child inherits.
bool MakePipe(HANDLE ends[2], int childEnd)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return ::CreatePipe(&ends[0], &ends[1], &inherit, 0)
           && ::SetHandleInformation(ends[1 - childEnd], HANDLE_FLAG_INHERIT, 0);
}

} // namespace

// Threads read the child's output as it comes and write its input, so that the pipes never fill.
struct CChildProcess::CSystem {
    PROCESS_INFORMATION process = {};
    std::thread threads[3]; // output, error, input
    std::mutex mutex;
    std::condition_variable changed;
    bool open[2] = {false, false};

    void Read(HANDLE pipe, std::string& sink, bool& isOpen)
    {
        char buffer[4096];
        DWORD n = 0;
        while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) {
            const std::lock_guard<std::mutex> hold(mutex);
            sink.append(buffer, n);
            changed.notify_all();
        }
        ::CloseHandle(pipe);
        const std::lock_guard<std::mutex> hold(mutex);
        isOpen = false;
        changed.notify_all();
    }
};

CChildProcess::CChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
    : m_system(std::make_unique<CSystem>())
{
    CSystem& s = *m_system;
    std::wstring commandLine;
    for (const std::string& arg : argv)
        commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(Utf8ToWide(arg));
    HANDLE in[2] = {nullptr, nullptr}, out[2] = {nullptr, nullptr}, err[2] = {nullptr, nullptr};
    const bool inputFromFile = !options.inputFile.empty();
    if (inputFromFile)
        in[0] = OpenInherited(options.inputFile, GENERIC_READ);
    const bool ready = (inputFromFile ? in[0] != INVALID_HANDLE_VALUE : MakePipe(in, 0))
                       && MakePipe(out, 1) && MakePipe(err, 1);
    const HANDLE file = options.outputFile.empty() ? nullptr : OpenInherited(options.outputFile, GENERIC_WRITE);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in[0];
    startup.hStdOutput = file ? file : out[1];
    startup.hStdError = err[1];
    // The child inherits this process's environment, changed for it meanwhile.
    std::map<std::string, std::string> before;
    for (const auto& [name, value] : options.env) {
        before[name] = GetEnvironmentText(SystemVariableName(name).c_str());
        SetEnv(name, value);
    }
    const bool started = ready && file != INVALID_HANDLE_VALUE
                         && ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                             nullptr, nullptr, &startup, &s.process);
    for (const auto& [name, value] : before)
        SetEnv(name, value.empty() ? std::nullopt : std::optional<std::string>(value));
    for (HANDLE h : {in[0], out[1], err[1], file})
        if (h && h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    if (started) {
        ::CloseHandle(s.process.hThread);
        s.open[0] = s.open[1] = true;
        s.threads[0] = std::thread([&s, this, pipe = out[0]] { s.Read(pipe, m_result.out, s.open[0]); });
        s.threads[1] = std::thread([&s, this, pipe = err[0]] { s.Read(pipe, m_result.err, s.open[1]); });
    } else {
        s.process.hProcess = nullptr;
        for (HANDLE h : {out[0], err[0]})
            if (h)
                ::CloseHandle(h);
    }
    if (!inputFromFile && in[1]) {
        s.threads[2] = std::thread([pipe = in[1], input = options.input] {
            DWORD written = 0;
            for (size_t done = 0; done < input.size(); done += written)
                if (!::WriteFile(pipe, input.data() + done, static_cast<DWORD>(input.size() - done),
                                 &written, nullptr))
                    break;
            ::CloseHandle(pipe);
        });
    }
}

CChildProcess::~CChildProcess()
{
    Finish(0);
}

bool CChildProcess::WaitForOutput(const std::string& text, int timeoutMs, bool onError)
{
    CSystem& s = *m_system;
    std::unique_lock<std::mutex> hold(s.mutex);
    const std::string& sink = onError ? m_result.err : m_result.out;
    return s.changed.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
        return sink.find(text) != std::string::npos || !s.open[onError ? 1 : 0];
    }) && sink.find(text) != std::string::npos;
}

long CChildProcess::Pid() const
{
    return static_cast<long>(m_system->process.dwProcessId);
}

void CChildProcess::Signal(int sig)
{
    CSystem& s = *m_system;
    if (s.process.hProcess && ::TerminateProcess(s.process.hProcess, 1))
        m_result.signal = sig;
}

ProcessResult CChildProcess::Finish(int timeoutMs)
{
    CSystem& s = *m_system;
    if (s.process.hProcess) {
        if (::WaitForSingleObject(s.process.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
            Signal(SIGTERM); // one that hangs
        ::WaitForSingleObject(s.process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(s.process.hProcess, &code);
        m_result.status = m_result.signal ? -1 : static_cast<int>(code);
        ::CloseHandle(s.process.hProcess);
        s.process.hProcess = nullptr;
    }
    // The pipes close once the process has ended.
    for (std::thread& thread : s.threads)
        if (thread.joinable())
            thread.join();
    // Line ends aside: text mode makes each LF CR LF, and here CR LF becomes LF again.
    m_result.out = ForStandardStream(m_result.out);
    m_result.err = ForStandardStream(m_result.err);
    return m_result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options)
{
    return CChildProcess(argv, options).Finish();
}
