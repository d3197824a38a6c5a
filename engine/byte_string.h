#pragma once

#include <cstdint>
#include <memory>

// A bounded byte buffer. The capacity is fixed when the string is built or assigned and the
// buffer never grows: a byte appended to a full string is dropped without a report, so callers
// that care compare the length. Used to assemble and take apart clone frames.
class CByteString {
public:
    static constexpr uint16_t kDefaultCapacity = 255;

    CByteString();
    explicit CByteString(uint16_t capacity);
    CByteString(const CByteString& other);
    ~CByteString() = default;

    // Assignment takes the other's capacity, not this one's.
    CByteString& operator=(const CByteString& other);
    // Replace the contents; the capacity is kept.
    CByteString& operator=(const char* text);
    CByteString& operator=(uint8_t value);

    void Clear() { m_length = 0; }
    void Append(uint8_t value);
    void Append(const char* text);
    void Append(const CByteString& other);

    CByteString& operator<<(uint8_t value);
    CByteString& operator<<(const char* text);
    CByteString& operator<<(const CByteString& other);

    // An index at or beyond the length yields the last byte; an empty string yields 0.
    uint8_t operator[](uint16_t index) const;
    uint16_t GetLength() const { return m_length; }
    uint16_t GetCapacity() const { return m_capacity; }
    const uint8_t* GetData() const { return m_buffer.get(); }

    // True when the lengths differ or any byte at the same position differs.
    bool Differs(const CByteString& other) const;

    // Keep only the bytes from start up to (not including) start + count, stopping at the
    // length. The result has the default capacity, so at most 255 bytes survive.
    void SubRange(uint16_t start, uint16_t count);

    // Replace the contents by their uppercase hexadecimal text (capacity 255 afterwards, so a
    // source longer than 127 bytes is cut at 255 characters).
    void ToHex();
    // Replace the contents by the two hexadecimal digits of the low byte of value.
    void ToHex(unsigned value);
    // Replace the contents by the bytes the hexadecimal text denotes. Characters that are not
    // '0'-'9' or 'A'-'F' count as 0; an odd last digit gives one byte of its own value.
    void FromHex();

private:
    void Allocate(uint16_t capacity);

    std::unique_ptr<uint8_t[]> m_buffer;
    uint16_t m_length = 0;
    uint16_t m_capacity = 0;
};
