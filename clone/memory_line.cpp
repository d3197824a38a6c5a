#include "clone/memory_line.h"

#include <algorithm>
#include <chrono>

CMemoryLinePair::CMemoryLinePair() : m_programEnd(*this) {}

void CMemoryLinePair::PurgeLocked()
{
    m_toProgram.clear();
    m_toTransceiver.clear();
    m_purged = true;
    m_changed.notify_all();
}

size_t CMemoryLinePair::Send(const uint8_t* bytes, size_t count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_open)
        return count;
    const size_t taken = std::min(count, kInputQueueSize - m_toProgram.size());
    m_toProgram.insert(m_toProgram.end(), bytes, bytes + taken);
    if (taken > 0)
        m_changed.notify_all();
    return taken;
}

bool CMemoryLinePair::Receive(std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    bytes.swap(m_toTransceiver);
    m_toTransceiver.clear();
    const bool purged = m_purged;
    m_purged = false;
    return purged;
}

void CMemoryLinePair::WaitForProgram(unsigned milliseconds, bool forRoom)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] {
        return m_woken || m_purged || !m_toTransceiver.empty() ||
               (forRoom && m_toProgram.size() < kInputQueueSize);
    });
    m_woken = false;
}

void CMemoryLinePair::Wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_woken = true;
    m_changed.notify_all();
}

bool CMemoryLinePair::CProgramEnd::Open(const std::string&, unsigned)
{
    std::lock_guard<std::mutex> lock(m_pair.m_mutex);
    if (!m_pair.m_open) {
        m_pair.m_open = true;
        m_pair.PurgeLocked();
    }
    return true;
}

void CMemoryLinePair::CProgramEnd::Close()
{
    std::lock_guard<std::mutex> lock(m_pair.m_mutex);
    if (m_pair.m_open) {
        m_pair.m_open = false;
        m_pair.PurgeLocked();
    }
}

bool CMemoryLinePair::CProgramEnd::IsOpen() const
{
    std::lock_guard<std::mutex> lock(m_pair.m_mutex);
    return m_pair.m_open;
}

bool CMemoryLinePair::CProgramEnd::Write(const uint8_t* buffer, size_t length)
{
    std::lock_guard<std::mutex> lock(m_pair.m_mutex);
    if (!m_pair.m_open)
        return false;
    m_pair.m_toTransceiver.insert(m_pair.m_toTransceiver.end(), buffer, buffer + length);
    m_pair.m_changed.notify_all();
    return true;
}

bool CMemoryLinePair::CProgramEnd::Read(uint8_t* buffer, size_t maximum, size_t* count)
{
    std::lock_guard<std::mutex> lock(m_pair.m_mutex);
    std::deque<uint8_t>& queue = m_pair.m_toProgram;
    const size_t n = m_pair.m_open ? std::min({queue.size(), kMaxReadChunk, maximum}) : 0;
    if (n == 0)
        return false;
    std::copy(queue.begin(), queue.begin() + static_cast<long>(n), buffer);
    queue.erase(queue.begin(), queue.begin() + static_cast<long>(n));
    // The transceiver may be waiting for room.
    m_pair.m_changed.notify_all();
    *count = n;
    return true;
}

ELineInput CMemoryLinePair::CProgramEnd::WaitInput(unsigned milliseconds)
{
    std::unique_lock<std::mutex> lock(m_pair.m_mutex);
    if (!m_pair.m_open)
        return ELineInput::HungUp;
    const bool waiting = m_pair.m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] {
        return !m_pair.m_open || !m_pair.m_toProgram.empty();
    });
    if (!m_pair.m_open)
        return ELineInput::HungUp;
    return waiting ? ELineInput::Waiting : ELineInput::None;
}

bool CMemoryLinePair::CProgramEnd::Flush()
{
    return IsOpen();
}
