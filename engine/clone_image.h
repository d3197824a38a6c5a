#pragma once

#include <cstdint>
#include <memory>

// A flat byte image of the transceiver's cloneable memory, addressed from 0, with bounds-tested
// byte, block and bit-field access. Out-of-image reads give 0xFF (bits give 1), the values of an
// erased memory cell; out-of-image writes are ignored. Also serves as a plain bit array.
//
// Bit fields: bit 7 is the most significant bit of a byte. A field located at (address, bit)
// starts at that bit, runs down to bit 0 and continues at bit 7 of the next address.
class CCloneImage {
public:
    // Size of the transceiver image the engine works on.
    static constexpr uint32_t kImageSize = 512;

    explicit CCloneImage(uint32_t size = 1);
    virtual ~CCloneImage();

    CCloneImage(const CCloneImage&) = delete;
    CCloneImage& operator=(const CCloneImage&) = delete;

    // Resize discards the contents: every byte reads 0 afterwards.
    void Resize(uint32_t size);
    uint32_t GetSize() const { return m_size; }
    bool IsValid(uint32_t address) const { return address < m_size; }

    void CopyFrom(const CCloneImage& other);
    bool Equals(const CCloneImage& other) const;
    bool Differs(const CCloneImage& other) const { return !Equals(other); }

    uint8_t ReadByte(uint32_t address) const;
    void WriteByte(uint32_t address, uint8_t value);
    void Fill(uint32_t address, uint8_t value, uint32_t count);

    // All or nothing: the block is copied only when its first and last addresses are valid.
    bool ReadBlock(uint32_t address, uint8_t* destination, uint32_t length) const;
    bool WriteBlock(uint32_t address, const uint8_t* source, uint32_t length);

    int GetBit(uint32_t address, int bit) const;
    void SetBit(uint32_t address, int bit, int value);
    void SetBits(uint32_t address, int bit, int value, int count);
    uint16_t ReadBits(uint32_t address, int bit, int count) const;
    void WriteBits(uint32_t address, int bit, int count, uint16_t value);

    // The 512-byte default image that INITIALIZE installs and HEAL encodes onto.
    static const uint8_t* GetDefaultImage();
    void LoadDefault();

private:
    bool IsValidBlock(uint32_t address, uint32_t length) const;

    std::unique_ptr<uint8_t[]> m_bytes;
    uint32_t m_size = 0;
};
