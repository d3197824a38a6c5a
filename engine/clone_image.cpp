#include "engine/clone_image.h"

#include <cstring>

namespace {

// !!! The default image is the background of every healed image and therefore of every saved
// file and every clone write. DO NOT CHANGE ANY BYTE. !!!
const uint8_t kEmptyChannel[16] = {0xFF, 0x00, 0x00, 0x00, 0x00, 0x20, 0x20, 0x20,
                                   0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0x00};

struct CDefaultImage {
    uint8_t bytes[CCloneImage::kImageSize] = {};

    CDefaultImage()
    {
        // Sixteen bytes a line, as the addresses run.
        // clang-format off
        static const uint8_t head[0x70] = {
            // 0x0000
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            // 0x0010
            0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
            // 0x0020
            0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x13, 0x00, 0x00, 0x13, 0x00, 0x00, 0x00,
            // 0x0030
            0x00, 0x78, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
            // 0x0040
            0x00, 0x19, 0x1E, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            // 0x0050
            0x11, 0x80, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
            // 0x0060
            0x11, 0x80, 0x00, 0x00, 0x00, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0x00,
        };
        // clang-format on
        std::memcpy(bytes, head, sizeof head);
        for (uint32_t row = 0x70; row <= 0x190; row += 0x10) {
            std::memcpy(bytes + row, kEmptyChannel, sizeof kEmptyChannel);
        }
        std::memcpy(bytes + 0x1F8, "Vexa Inc", 8);
    }
};

} // namespace

const uint8_t* CCloneImage::GetDefaultImage()
{
    static const CDefaultImage image;
    return image.bytes;
}

CCloneImage::CCloneImage(uint32_t size)
{
    Resize(size);
}

CCloneImage::~CCloneImage() = default;

void CCloneImage::Resize(uint32_t size)
{
    m_bytes.reset(new uint8_t[size > 0 ? size : 1]());
    m_size = size;
}

void CCloneImage::LoadDefault()
{
    if (m_size != kImageSize) {
        Resize(kImageSize);
    }
    std::memcpy(m_bytes.get(), GetDefaultImage(), kImageSize);
}

void CCloneImage::CopyFrom(const CCloneImage& other)
{
    if (this == &other) {
        return;
    }
    Resize(other.m_size);
    if (m_size > 0) {
        std::memcpy(m_bytes.get(), other.m_bytes.get(), m_size);
    }
}

bool CCloneImage::Equals(const CCloneImage& other) const
{
    return m_size == other.m_size &&
           (m_size == 0 || std::memcmp(m_bytes.get(), other.m_bytes.get(), m_size) == 0);
}

uint8_t CCloneImage::ReadByte(uint32_t address) const
{
    return IsValid(address) ? m_bytes[address] : 0xFF;
}

void CCloneImage::WriteByte(uint32_t address, uint8_t value)
{
    if (IsValid(address)) {
        m_bytes[address] = value;
    }
}

void CCloneImage::Fill(uint32_t address, uint8_t value, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        // Each address tested on its own; wrapping past the top of the address space is not
        // an address of the image either.
        if (address + i < address) {
            break;
        }
        WriteByte(address + i, value);
    }
}

bool CCloneImage::IsValidBlock(uint32_t address, uint32_t length) const
{
    // Only the first and the last address are tested. A zero-length block at address 0 would
    // end below zero and is refused; elsewhere it is a harmless no-op.
    if (length == 0) {
        return address != 0 && IsValid(address);
    }
    const uint64_t last = static_cast<uint64_t>(address) + length - 1;
    return IsValid(address) && last < m_size;
}

bool CCloneImage::ReadBlock(uint32_t address, uint8_t* destination, uint32_t length) const
{
    if (!IsValidBlock(address, length)) {
        return false;
    }
    if (length > 0) {
        std::memcpy(destination, m_bytes.get() + address, length);
    }
    return true;
}

bool CCloneImage::WriteBlock(uint32_t address, const uint8_t* source, uint32_t length)
{
    if (!IsValidBlock(address, length)) {
        return false;
    }
    if (length > 0) {
        std::memcpy(m_bytes.get() + address, source, length);
    }
    return true;
}

int CCloneImage::GetBit(uint32_t address, int bit) const
{
    if (!IsValid(address) || bit < 0 || bit > 7) {
        return 1;
    }
    return (m_bytes[address] >> bit) & 1;
}

void CCloneImage::SetBit(uint32_t address, int bit, int value)
{
    if (!IsValid(address) || bit < 0 || bit > 7) {
        return;
    }
    const uint8_t mask = static_cast<uint8_t>(1u << bit);
    if (value != 0) {
        m_bytes[address] = static_cast<uint8_t>(m_bytes[address] | mask);
    } else {
        m_bytes[address] = static_cast<uint8_t>(m_bytes[address] & ~mask);
    }
}

namespace {

void NextBit(uint32_t& address, int& bit)
{
    if (--bit < 0) {
        bit = 7;
        ++address;
    }
}

} // namespace

void CCloneImage::SetBits(uint32_t address, int bit, int value, int count)
{
    for (int i = 0; i < count; ++i) {
        SetBit(address, bit, value);
        NextBit(address, bit);
    }
}

uint16_t CCloneImage::ReadBits(uint32_t address, int bit, int count) const
{
    uint16_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = static_cast<uint16_t>((value << 1) | GetBit(address, bit));
        NextBit(address, bit);
    }
    return value;
}

void CCloneImage::WriteBits(uint32_t address, int bit, int count, uint16_t value)
{
    for (int i = count - 1; i >= 0; --i) {
        SetBit(address, bit, (i < 16) ? (value >> i) & 1 : 0);
        NextBit(address, bit);
    }
}
