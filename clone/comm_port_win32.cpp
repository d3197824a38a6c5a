#include "clone/comm_port_os.h"

#include <algorithm>
#include <atomic>

#include <windows.h>

#include "platform/utf16_win32.h"

struct CSerialLine {
    DCB dcb;
    COMMTIMEOUTS timeouts;
};

namespace {

// Input and output queues the driver is asked for.
constexpr DWORD kQueueBytes = 8192;
// Waits for input look at the queue this often.
constexpr DWORD kInputPollMs = 5;

// The time-outs a read sets before it reads: it reads only bytes already waiting, so it never
// waits for them.
constexpr COMMTIMEOUTS kReadTimeouts = {MAXDWORD, 1000, 3000, 100, 3000};
// The time-outs set at open.
constexpr COMMTIMEOUTS kOpenTimeouts = {MAXDWORD, 10000, 3000, 10000, 3000};

HANDLE ToHandle(int handle)
{
    return ::LongToHandle(handle);
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
    const HANDLE handle = ::CreateFileW(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<int>(::GetLastError());
        return -1;
    }
    return ::HandleToLong(handle);
}

void CloseSerialDevice(int handle)
{
    ::CloseHandle(ToHandle(handle));
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
    COMMTIMEOUTS timeouts = kOpenTimeouts;
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
    if (!::SetCommState(port, &dcb)) {
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
    const HANDLE port = ToHandle(handle);
    COMMTIMEOUTS timeouts = {};
    ::GetCommTimeouts(port, &timeouts);
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = limitMs;
    ::SetCommTimeouts(port, &timeouts);
    DWORD written = 0;
    if (!::WriteFile(port, data, static_cast<DWORD>(length), &written, nullptr)) {
        error = static_cast<int>(::GetLastError());
        return false;
    }
    if (written < length) {
        error = ERROR_TIMEOUT;
        return false;
    }
    return true;
}

size_t GetSerialWaitingCount(int handle)
{
    // Also clears a line error (framing, overrun, parity), which the protocol's checks catch.
    DWORD errors = 0;
    COMSTAT status = {};
    return ::ClearCommError(ToHandle(handle), &errors, &status) ? status.cbInQue : 0;
}

long ReadSerial(int handle, uint8_t* buffer, size_t count, int& error)
{
    COMMTIMEOUTS timeouts = kReadTimeouts;
    ::SetCommTimeouts(ToHandle(handle), &timeouts);
    DWORD got = 0;
    if (!::ReadFile(ToHandle(handle), buffer, static_cast<DWORD>(count), &got, nullptr)) {
        error = static_cast<int>(::GetLastError());
        return -1;
    }
    return static_cast<long>(got);
}

bool DrainSerial(int handle)
{
    return ::FlushFileBuffers(ToHandle(handle)) != 0;
}

ESerialInput WaitSerialInput(int handle, unsigned milliseconds)
{
    // The port is not opened for overlapped use, so WaitCommEvent could not be given a time
    // limit: the queue is looked at every few milliseconds instead.
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        DWORD errors = 0;
        COMSTAT status = {};
        if (!::ClearCommError(ToHandle(handle), &errors, &status))
            return ESerialInput::HungUp;
        if (status.cbInQue > 0)
            return ESerialInput::Waiting;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return ESerialInput::None;
        ::Sleep(static_cast<DWORD>(std::min<ULONGLONG>(end - now, kInputPollMs)));
    }
}
