#include "clone/comm_port.h"

#include <algorithm>

#include "clone/comm_port_os.h"

namespace {

// Texts handed to ReportError. Kept as the port layer has always worded them.
const char kNotOpen[] = " not Open ";
const char kInvalidSetting[] = " invarid setting ";
const char kWriteError[] = " write error ";
const char kReadError[] = " read error ";

// Fixed part and per-byte part of a write's total time limit.
constexpr unsigned kWriteLimitBaseMs = 3000;
constexpr unsigned kWriteLimitPerByteMs = 10;

} // namespace

CCommPort::CCommPort() : m_portName("COM1:"), m_baudRate(9600) {}

CCommPort::~CCommPort()
{
    // Close is virtual, but during destruction only this class's version runs, as intended.
    CCommPort::Close();
}

int CCommPort::GetHandle() const
{
    return m_handle >= 0 ? m_handle : 0;
}

std::string CCommPort::GetDefaultDevice(int number)
{
    return GetDefaultSerialDevice(number);
}

bool CCommPort::Open(const std::string& device, unsigned baud)
{
    if (m_handle >= 0)
        return true;
    // A name cut short could lead to another device.
    if (device.size() > kMaxPortName) {
        ReportError(kNotOpen, 0);
        return false;
    }
    m_portName = device;
    m_baudRate = baud;
    m_handle = OpenPort(m_portName, m_baudRate);
    return m_handle >= 0;
}

int CCommPort::OpenPort(const std::string& device, unsigned baud)
{
    int error = 0;
    const int handle = OpenSerialDevice(device, error);
    if (handle < 0) {
        ReportError(kNotOpen, error);
        return -1;
    }
    std::shared_ptr<CSerialLine> previous = GetSerialLine(handle);
    if (!previous) {
        ReleaseHandle(handle);
        return -1;
    }
    PurgeSerialDevice(handle);
    if (!ConfigureSerialLine(handle, baud, error)) {
        ReportError(kInvalidSetting, error);
        ReleaseHandle(handle);
        return -1;
    }
    // The cloning cable takes its power from RTS and must see DTR off.
    SetSerialControlLines(handle, false, true);
    KeepSerialLineForExit(handle, *previous);
    m_previousLine = std::move(previous);
    return handle;
}

void CCommPort::Close()
{
    if (m_handle < 0)
        return;
    PurgeSerialDevice(m_handle);
    // A serial device keeps its line settings after the last close: leave it as it was found.
    if (m_previousLine)
        SetSerialLine(m_handle, *m_previousLine);
    m_previousLine.reset();
    ForgetSerialLineForExit(m_handle);
    ReleaseHandle(m_handle);
    m_handle = -1;
}

void CCommPort::RestoreOpenPortNow()
{
    RestoreSerialLineForExitNow();
}

void CCommPort::ReleaseHandle(int handle)
{
    if (handle >= 0)
        CloseSerialDevice(handle);
}

bool CCommPort::Write(const uint8_t* buffer, size_t length)
{
    if (m_handle < 0)
        return false;
    const auto limitMs = static_cast<unsigned>(kWriteLimitBaseMs + kWriteLimitPerByteMs * length);
    int error = 0;
    if (!WriteSerial(m_handle, buffer, length, limitMs, error)) {
        ReportError(kWriteError, error);
        return false;
    }
    return true;
}

bool CCommPort::Read(uint8_t* buffer, size_t maximum, size_t* count)
{
    if (m_handle < 0)
        return false;
    const size_t n = std::min({GetSerialWaitingCount(m_handle), kMaxReadChunk, maximum});
    if (n == 0)
        return false;
    int error = 0;
    const long got = ReadSerial(m_handle, buffer, n, error);
    if (got < 0) {
        ReportError(kReadError, error);
        return false;
    }
    *count = static_cast<size_t>(got);
    return true;
}

ELineInput CCommPort::WaitInput(unsigned milliseconds)
{
    if (m_handle < 0)
        return ELineInput::HungUp;
    switch (WaitSerialInput(m_handle, milliseconds)) {
    case ESerialInput::Waiting:
        return ELineInput::Waiting;
    case ESerialInput::None:
        return ELineInput::None;
    case ESerialInput::HungUp:
        break;
    }
    return ELineInput::HungUp;
}

bool CCommPort::Flush()
{
    return m_handle >= 0 && DrainSerial(m_handle);
}

size_t CCommPort::GetWaitingCount() const
{
    return m_handle >= 0 ? GetSerialWaitingCount(m_handle) : 0;
}

void CCommPort::ReportError(const std::string& text, int errorCode)
{
    m_lastErrorText = text;
    m_lastErrorCode = errorCode;
}
