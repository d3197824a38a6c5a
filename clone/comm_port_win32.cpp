#include "clone/comm_port_os.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include <windows.h>

#include "platform/utf16_win32.h"

struct CSerialLine {
    DCB dcb;
    COMMTIMEOUTS timeouts;
};

namespace {

// Input and output queues the driver is asked for.
constexpr DWORD kQueueBytes = 8192;

// Set once at open: a read takes what is waiting and returns at once; a write has no limit of
// the driver's own, since WriteSerial bounds its wait itself.
constexpr COMMTIMEOUTS kPortTimeouts = {MAXDWORD, 0, 0, 0, 0};
// The longest a read of bytes already waiting may take.
constexpr DWORD kFillLimitMs = 1000;
// How often the queue is looked at where the driver cannot report input.
constexpr DWORD kQueueWatchMs = 5;

HANDLE ToHandle(int handle)
{
    return ::LongToHandle(handle);
}

// An open port's overlapped I/O: the bytes read ahead of the caller, which are handed out from
// here without a system call each, and the wait for input, which stays pending from one call to
// the next so that no byte arriving in between is missed.
struct CPortIo {
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED readIo = {};
    OVERLAPPED writeIo = {};
    OVERLAPPED waitIo = {};
    DWORD waitEvents = 0;
    bool waitPending = false;
    // False once a wait for input has failed: from then on the queue is watched instead.
    bool eventsReported = true;
    std::array<uint8_t, kQueueBytes> buffer;
    size_t begin = 0;
    size_t end = 0;

    size_t Buffered() const { return end - begin; }
};

// Ports are few and open for a run each: a lock around a small map is all the bookkeeping
// they need.
std::mutex g_portsLock;
std::map<int, std::unique_ptr<CPortIo>> g_ports;

CPortIo* FindPort(int handle)
{
    std::lock_guard<std::mutex> lock(g_portsLock);
    const auto found = g_ports.find(handle);
    return found == g_ports.end() ? nullptr : found->second.get();
}

bool CreateEvents(CPortIo& io)
{
    for (OVERLAPPED* ov : {&io.readIo, &io.writeIo, &io.waitIo}) {
        // Manual reset, as GetOverlappedResult expects.
        ov->hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!ov->hEvent)
            return false;
    }
    return true;
}

void CloseEvents(CPortIo& io)
{
    for (OVERLAPPED* ov : {&io.readIo, &io.writeIo, &io.waitIo})
        if (ov->hEvent)
            ::CloseHandle(ov->hEvent);
}

// Cancels one operation and waits until the system no longer uses its OVERLAPPED.
void CancelAndSettle(HANDLE port, OVERLAPPED& ov)
{
    ::CancelIoEx(port, &ov);
    DWORD ignored = 0;
    ::GetOverlappedResult(port, &ov, &ignored, TRUE);
}

// Starts an operation on `ov` (which resets its event) and waits up to `limitMs` for it; true
// with the bytes moved when it completed, false with `error` when it failed or was cancelled at
// the limit.
template <typename Start>
bool RunOverlapped(HANDLE port, OVERLAPPED& ov, DWORD limitMs, Start start, DWORD& moved,
                   DWORD& error)
{
    if (!start(&ov)) {
        error = ::GetLastError();
        if (error != ERROR_IO_PENDING)
            return false;
        if (::WaitForSingleObject(ov.hEvent, limitMs) != WAIT_OBJECT_0) {
            CancelAndSettle(port, ov);
            error = ERROR_TIMEOUT;
            return false;
        }
    }
    if (!::GetOverlappedResult(port, &ov, &moved, FALSE)) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

// The port kept for an abrupt exit and its earlier settings.
std::atomic<int> g_exitHandle{-1};
CSerialLine g_exitLine;

// COM7 and COM7: name the device \\.\COM7; so does any other name without its own \\ start.
std::wstring DevicePath(const std::string& device)
{
    std::wstring name = Utf8ToWide(device);
    if (!name.empty() && name.back() == L':')
        name.pop_back();
    return name.compare(0, 2, L"\\\\") == 0 ? name : L"\\\\.\\" + name;
}

} // namespace

std::string GetDefaultSerialDevice(int number)
{
    return "COM" + std::to_string(number);
}

int OpenSerialDevice(const std::string& device, int& error)
{
    // No sharing: a port that another program holds fails with ERROR_ACCESS_DENIED.
    const HANDLE handle =
        ::CreateFileW(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<int>(::GetLastError());
        return -1;
    }
    auto io = std::make_unique<CPortIo>();
    io->port = handle;
    if (!CreateEvents(*io)) {
        error = static_cast<int>(::GetLastError());
        CloseEvents(*io);
        ::CloseHandle(handle);
        return -1;
    }
    const int id = ::HandleToLong(handle);
    std::lock_guard<std::mutex> lock(g_portsLock);
    g_ports[id] = std::move(io);
    return id;
}

void CloseSerialDevice(int handle)
{
    std::unique_ptr<CPortIo> io;
    {
        std::lock_guard<std::mutex> lock(g_portsLock);
        const auto found = g_ports.find(handle);
        if (found != g_ports.end()) {
            io = std::move(found->second);
            g_ports.erase(found);
        }
    }
    if (io && io->waitPending)
        CancelAndSettle(io->port, io->waitIo);
    ::CloseHandle(ToHandle(handle));
    if (io)
        CloseEvents(*io);
}

std::shared_ptr<CSerialLine> GetSerialLine(int handle)
{
    auto line = std::make_shared<CSerialLine>();
    line->dcb.DCBlength = sizeof line->dcb;
    if (!::GetCommState(ToHandle(handle), &line->dcb))
        return nullptr;
    ::GetCommTimeouts(ToHandle(handle), &line->timeouts);
    return line;
}

void SetSerialLine(int handle, const CSerialLine& line)
{
    CSerialLine copy = line;
    ::SetCommState(ToHandle(handle), &copy.dcb);
    ::SetCommTimeouts(ToHandle(handle), &copy.timeouts);
}

bool ConfigureSerialLine(int handle, unsigned baud, int& error)
{
    const HANDLE port = ToHandle(handle);
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    COMMTIMEOUTS timeouts = kPortTimeouts;
    if (!::GetCommState(port, &dcb)) {
        error = static_cast<int>(::GetLastError());
        return false;
    }
    ::SetupComm(port, kQueueBytes, kQueueBytes);
    ::SetCommTimeouts(port, &timeouts);
    // Everything else (parity checking, XON/XOFF limits and characters) stays as the driver
    // had it.
    dcb.BaudRate = baud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.EvtChar = 0x0D;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    // A line error (framing, overrun, parity) must not stop reading until it is cleared: the
    // protocol's checks catch the bytes it spoils.
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(port, &dcb) || !::SetCommMask(port, EV_RXCHAR)) {
        error = static_cast<int>(::GetLastError());
        return false;
    }
    return true;
}

void SetSerialControlLines(int handle, bool dtr, bool rts)
{
    ::EscapeCommFunction(ToHandle(handle), dtr ? SETDTR : CLRDTR);
    ::EscapeCommFunction(ToHandle(handle), rts ? SETRTS : CLRRTS);
}

void PurgeSerialDevice(int handle)
{
    if (CPortIo* io = FindPort(handle))
        io->begin = io->end = 0;
    ::PurgeComm(ToHandle(handle), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

void KeepSerialLineForExit(int handle, const CSerialLine& line)
{
    g_exitHandle = -1;
    g_exitLine = line;
    g_exitHandle = handle;
}

void ForgetSerialLineForExit(int handle)
{
    g_exitHandle.compare_exchange_strong(handle, -1);
}

void RestoreSerialLineForExitNow()
{
    const int handle = g_exitHandle.load();
    if (handle >= 0)
        SetSerialLine(handle, g_exitLine);
}

bool WriteSerial(int handle, const uint8_t* data, size_t length, unsigned limitMs, int& error)
{
    CPortIo* io = FindPort(handle);
    if (!io) {
        error = ERROR_INVALID_HANDLE;
        return false;
    }
    DWORD written = 0;
    DWORD failure = 0;
    const auto start = [&](OVERLAPPED* ov) {
        return ::WriteFile(io->port, data, static_cast<DWORD>(length), nullptr, ov) != 0;
    };
    if (!RunOverlapped(io->port, io->writeIo, limitMs, start, written, failure)) {
        error = static_cast<int>(failure);
        return false;
    }
    if (written < length) {
        error = ERROR_TIMEOUT;
        return false;
    }
    return true;
}

namespace {

// Takes everything waiting into the port's buffer in one read. The read asks for exactly what
// the driver's queue holds, so that it never waits for more (an overlapped read may, whatever
// the time-outs say); the limit only bounds a driver that does not deliver what it counted.
// False when the line is gone or the read fails.
bool FillBuffer(CPortIo& io, DWORD& error)
{
    DWORD errors = 0;
    COMSTAT status = {};
    if (!::ClearCommError(io.port, &errors, &status)) {
        error = ::GetLastError();
        return false;
    }
    io.begin = io.end = 0;
    if (status.cbInQue == 0)
        return true;
    const auto wanted = static_cast<DWORD>(std::min<size_t>(status.cbInQue, io.buffer.size()));
    DWORD got = 0;
    const auto start = [&io, wanted](OVERLAPPED* ov) {
        return ::ReadFile(io.port, io.buffer.data(), wanted, nullptr, ov) != 0;
    };
    if (!RunOverlapped(io.port, io.readIo, kFillLimitMs, start, got, error))
        return false;
    io.end = got;
    return true;
}

enum class EInputEvent { Arrived, None, Failed };

// Waits up to `milliseconds` for the driver to report input. The wait stays armed from one call
// to the next; bytes in the queue, or arriving before it is armed, finish it at once, since the
// driver keeps the events of its mask that came while no wait was armed.
EInputEvent WaitForInputEvent(CPortIo& io, unsigned milliseconds)
{
    if (!io.waitPending) {
        if (::WaitCommEvent(io.port, &io.waitEvents, &io.waitIo))
            return (io.waitEvents & EV_RXCHAR) ? EInputEvent::Arrived : EInputEvent::None;
        if (::GetLastError() != ERROR_IO_PENDING)
            return EInputEvent::Failed;
        io.waitPending = true;
    }
    if (::WaitForSingleObject(io.waitIo.hEvent, milliseconds) != WAIT_OBJECT_0)
        return EInputEvent::None;
    io.waitPending = false;
    DWORD ignored = 0;
    if (!::GetOverlappedResult(io.port, &io.waitIo, &ignored, FALSE))
        return EInputEvent::Failed;
    return (io.waitEvents & EV_RXCHAR) ? EInputEvent::Arrived : EInputEvent::None;
}

// For a driver that cannot report input (Wine's on a pseudo-terminal ends every such wait with
// an error): looks at the queue every few milliseconds for up to `milliseconds`.
ESerialInput WatchQueue(CPortIo& io, unsigned milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        DWORD errors = 0;
        COMSTAT status = {};
        if (!::ClearCommError(io.port, &errors, &status))
            return ESerialInput::HungUp;
        if (status.cbInQue > 0)
            return ESerialInput::Waiting;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return ESerialInput::None;
        ::Sleep(static_cast<DWORD>(std::min<ULONGLONG>(end - now, kQueueWatchMs)));
    }
}

} // namespace

size_t GetSerialWaitingCount(int handle)
{
    CPortIo* io = FindPort(handle);
    if (!io)
        return 0;
    // A wait that has not finished has seen nothing arrive: no read needed to know it.
    if (io->Buffered() == 0 && io->waitPending && !HasOverlappedIoCompleted(&io->waitIo))
        return 0;
    DWORD error = 0;
    if (io->Buffered() == 0 && !FillBuffer(*io, error))
        return 0;
    return io->Buffered();
}

long ReadSerial(int handle, uint8_t* buffer, size_t count, int& error)
{
    CPortIo* io = FindPort(handle);
    if (!io) {
        error = ERROR_INVALID_HANDLE;
        return -1;
    }
    DWORD failure = 0;
    if (io->Buffered() == 0 && !FillBuffer(*io, failure)) {
        error = static_cast<int>(failure);
        return -1;
    }
    const size_t n = std::min(count, io->Buffered());
    std::copy_n(io->buffer.begin() + static_cast<std::ptrdiff_t>(io->begin), n, buffer);
    io->begin += n;
    return static_cast<long>(n);
}

bool DrainSerial(int handle)
{
    return ::FlushFileBuffers(ToHandle(handle)) != 0;
}

ESerialInput WaitSerialInput(int handle, unsigned milliseconds)
{
    CPortIo* io = FindPort(handle);
    if (!io)
        return ESerialInput::HungUp;
    if (io->Buffered() > 0)
        return ESerialInput::Waiting;
    if (io->eventsReported) {
        const EInputEvent event = WaitForInputEvent(*io, milliseconds);
        if (event != EInputEvent::Failed)
            return event == EInputEvent::Arrived ? ESerialInput::Waiting : ESerialInput::None;
        io->eventsReported = false;
    }
    return WatchQueue(*io, milliseconds);
}
