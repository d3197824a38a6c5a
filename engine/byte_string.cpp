#include "engine/byte_string.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

uint8_t HexValue(uint8_t c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<uint8_t>(c - 'A' + 10);
    }
    return 0;
}

} // namespace

CByteString::CByteString()
{
    Allocate(kDefaultCapacity);
}

CByteString::CByteString(uint16_t capacity)
{
    Allocate(capacity);
}

CByteString::CByteString(const CByteString& other)
{
    Allocate(other.m_capacity);
    Append(other);
}

void CByteString::Allocate(uint16_t capacity)
{
    // Never allocate zero bytes, so GetData() always points somewhere.
    m_buffer.reset(new uint8_t[capacity > 0 ? capacity : 1]());
    m_capacity = capacity;
    m_length = 0;
}

CByteString& CByteString::operator=(const CByteString& other)
{
    if (this != &other) {
        Allocate(other.m_capacity);
        Append(other);
    }
    return *this;
}

CByteString& CByteString::operator=(const char* text)
{
    m_length = 0;
    Append(text);
    return *this;
}

CByteString& CByteString::operator=(uint8_t value)
{
    m_length = 0;
    Append(value);
    return *this;
}

void CByteString::Append(uint8_t value)
{
    if (m_length < m_capacity) {
        m_buffer[m_length++] = value;
    }
}

void CByteString::Append(const char* text)
{
    if (text == nullptr) {
        return;
    }
    for (; *text != '\0'; ++text) {
        Append(static_cast<uint8_t>(*text));
    }
}

void CByteString::Append(const CByteString& other)
{
    // Read the length first: appending a string to itself must stop at its original end.
    const uint16_t count = other.m_length;
    for (uint16_t i = 0; i < count; ++i) {
        Append(other[i]);
    }
}

CByteString& CByteString::operator<<(uint8_t value)
{
    Append(value);
    return *this;
}

CByteString& CByteString::operator<<(const char* text)
{
    Append(text);
    return *this;
}

CByteString& CByteString::operator<<(const CByteString& other)
{
    Append(other);
    return *this;
}

uint8_t CByteString::operator[](uint16_t index) const
{
    if (m_length == 0) {
        return 0;
    }
    if (index >= m_length) {
        index = static_cast<uint16_t>(m_length - 1);
    }
    return m_buffer[index];
}

bool CByteString::Differs(const CByteString& other) const
{
    if (m_length != other.m_length) {
        return true;
    }
    for (uint16_t i = 0; i < m_length; ++i) {
        if (m_buffer[i] != other.m_buffer[i]) {
            return true;
        }
    }
    return false;
}

void CByteString::SubRange(uint16_t start, uint16_t count)
{
    CByteString result;
    // Computed wide so that start + count cannot wrap round to a small end.
    const uint32_t end = static_cast<uint32_t>(start) + count;
    for (uint32_t i = start; i < end && i < m_length; ++i) {
        result.Append(m_buffer[i]);
    }
    *this = result;
}

void CByteString::ToHex()
{
    CByteString result;
    for (uint16_t i = 0; i < m_length; ++i) {
        const uint8_t b = m_buffer[i];
        result.Append(static_cast<uint8_t>(kHexDigits[b >> 4]));
        result.Append(static_cast<uint8_t>(kHexDigits[b & 15]));
    }
    *this = result;
}

void CByteString::ToHex(unsigned value)
{
    CByteString result;
    const uint8_t b = static_cast<uint8_t>(value & 0xFF);
    result.Append(static_cast<uint8_t>(kHexDigits[b >> 4]));
    result.Append(static_cast<uint8_t>(kHexDigits[b & 15]));
    *this = result;
}

void CByteString::FromHex()
{
    CByteString result;
    uint16_t i = 0;
    for (; i + 1 < m_length; i += 2) {
        result.Append(static_cast<uint8_t>(HexValue(m_buffer[i]) * 16 + HexValue(m_buffer[i + 1])));
    }
    if (i < m_length) {
        result.Append(HexValue(m_buffer[i]));
    }
    *this = result;
}
