#include "platform/file_handover.h"

#include <atomic>
#include <thread>

#include <windows.h>

#include "platform/instance_lock.h"
#include "platform/user_security_win32.h"
#include "platform/utf16_win32.h"

namespace {

// A name longer than any path the system can open is no name: the rest is not read.
constexpr size_t kLongestName = 65536;
// How long a second start waits for the running program to take the pipe.
constexpr DWORD kSenderWaitMs = 2000;

// A pipe named after the instance mutex, which lives in this session, and after this session and
// user, since pipes have one namespace for the whole machine: the program of another session or
// user never answers a second start of ours.
std::wstring PipeName(const CInstanceLock& lock)
{
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    return L"\\\\.\\pipe\\" + Utf8ToWide(lock.GetPath()) + L" handover " +
           std::to_wstring(session) + L" " + GetCurrentUserSid();
}

// Reads what the sender writes until it closes its end; empty when it says too much.
std::string ReadName(HANDLE pipe)
{
    std::string name;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        if (name.size() + got > kLongestName)
            return std::string();
        name.append(buffer, got);
    }
    return ::GetLastError() == ERROR_BROKEN_PIPE ? name : std::string();
}

// An instance of the pipe that only this user may open or add instances to. The first fails
// when the name is taken, so that a pipe someone made before never receives our files.
HANDLE MakeInstance(const std::wstring& name, bool first)
{
    SECURITY_ATTRIBUTES security = {sizeof security, MakeOwnerOnlyDescriptor(L""), FALSE};
    if (!security.lpSecurityDescriptor)
        return INVALID_HANDLE_VALUE;
    const HANDLE pipe = ::CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, PIPE_UNLIMITED_INSTANCES, 0, 4096,
        0, &security);
    ::LocalFree(security.lpSecurityDescriptor);
    return pipe;
}

} // namespace

struct CFileHandover::CChannel {
    std::wstring name;
    std::atomic<bool> stopping{false};
    std::atomic<DWORD> listenerId{0};
    std::thread thread;

    // Serves `pipe` and the instances after it. Each next instance is made before the one
    // served goes, so that a second start never finds the pipe missing and gives up.
    void Listen(HANDLE pipe, const CReceiver& receive)
    {
        listenerId = ::GetCurrentThreadId();
        while (!stopping && pipe != INVALID_HANDLE_VALUE) {
            const bool connected = ::ConnectNamedPipe(pipe, nullptr) ||
                                   ::GetLastError() == ERROR_PIPE_CONNECTED;
            const std::string path = connected && !stopping ? ReadName(pipe) : std::string();
            const HANDLE next = stopping ? INVALID_HANDLE_VALUE : MakeInstance(name, false);
            if (!path.empty())
                receive(path);
            ::DisconnectNamedPipe(pipe);
            ::CloseHandle(pipe);
            pipe = next;
        }
        if (pipe != INVALID_HANDLE_VALUE)
            ::CloseHandle(pipe);
    }

    ~CChannel()
    {
        if (!thread.joinable())
            return;
        stopping = true;
        // The listener waits in ConnectNamedPipe or ReadFile: cancel that wait until it ends.
        while (listenerId == 0)
            ::Sleep(1);
        const HANDLE handle = ::OpenThread(THREAD_TERMINATE | SYNCHRONIZE, FALSE, listenerId);
        if (handle) {
            while (::WaitForSingleObject(handle, 0) == WAIT_TIMEOUT) {
                ::CancelSynchronousIo(handle);
                ::WaitForSingleObject(handle, 20);
            }
            ::CloseHandle(handle);
        }
        thread.join();
    }
};

CFileHandover::CFileHandover(const CInstanceLock& lock, CReceiver receive)
{
    if (lock.GetState() != CInstanceLock::EState::Held || lock.GetPath().empty())
        return;
    auto channel = std::make_unique<CChannel>();
    channel->name = PipeName(lock);
    // A pipe of that name that is there already is someone else's. (FILE_FLAG_FIRST_PIPE_INSTANCE
    // refuses it too, where the system honours the flag.)
    if (::WaitNamedPipeW(channel->name.c_str(), 1) || ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return;
    // The first instance before this returns: a second start right after finds it.
    const HANDLE first = MakeInstance(channel->name, true);
    if (first == INVALID_HANDLE_VALUE)
        return;
    CChannel* listening = channel.get();
    channel->thread = std::thread(
        [listening, first, receive = std::move(receive)] { listening->Listen(first, receive); });
    m_channel = std::move(channel);
}

CFileHandover::~CFileHandover() = default;

bool CFileHandover::IsListening() const
{
    return m_channel != nullptr;
}

std::string CFileHandover::GetChannelName(const CInstanceLock& lock)
{
    return lock.GetPath().empty() ? std::string() : WideToUtf8(PipeName(lock));
}

bool CFileHandover::Send(const CInstanceLock& lock, const std::string& path)
{
    if (path.empty() || lock.GetPath().empty())
        return false;
    const std::wstring name = PipeName(lock);
    if (!::WaitNamedPipeW(name.c_str(), kSenderWaitMs))
        return false;
    const HANDLE pipe = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe == INVALID_HANDLE_VALUE)
        return false;
    // The running program may come to the front when it opens the file.
    ::AllowSetForegroundWindow(ASFW_ANY);
    DWORD wrote = 0;
    const bool taken = ::WriteFile(pipe, path.data(), static_cast<DWORD>(path.size()), &wrote,
                                   nullptr) &&
                       wrote == path.size() && ::FlushFileBuffers(pipe);
    ::CloseHandle(pipe);
    return taken;
}
