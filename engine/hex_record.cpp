#include "engine/hex_record.h"

#include "engine/clone_image.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// -1 for a character that is not a hex digit; both cases are accepted.
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

uint32_t HexNumber(const std::string& text, size_t position, size_t digits)
{
    uint32_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        value = value * 16 + static_cast<uint32_t>(HexDigit(text[position + i]));
    }
    return value;
}

void AppendHex(std::string& text, uint32_t value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        text += kHexDigits[(value >> shift) & 15];
    }
}

} // namespace

CHexRecord::CHexRecord() = default;

CHexRecord::~CHexRecord() = default;

void CHexRecord::Bind(CCloneImage& image)
{
    if (m_image == &image && m_loaded) {
        return;
    }
    m_image = &image;
    const uint32_t size = image.GetSize();
    m_loaded.reset(new CCloneImage((size + 7) / 8));
    // Spare bits past the last address count as loaded.
    if (size % 8 != 0) {
        m_loaded->SetBits(size / 8, 7 - static_cast<int>(size % 8), 1,
                          8 - static_cast<int>(size % 8));
    }
}

void CHexRecord::SetUp(CCloneImage& image, uint32_t address, uint32_t length)
{
    m_data.assign(length, 0);
    m_length = length;
    Bind(image);
    m_address = address;
}

void CHexRecord::ReadFromImage()
{
    if (m_image != nullptr) {
        m_image->ReadBlock(m_address, m_data.data(), m_length);
    }
}

std::string CHexRecord::Format() const
{
    std::string line;
    line.reserve(6 + 2 * m_data.size());
    AppendHex(line, m_address & 0xFFFF, 4);
    AppendHex(line, m_length & 0xFF, 2);
    for (uint8_t b : m_data) {
        AppendHex(line, b, 2);
    }
    return line;
}

std::string CHexRecord::Parse(const std::string& line)
{
    if (line.size() < kMinimumLine || line.size() > kMaximumLine) {
        return "FORMAT_ERROR";
    }
    for (char c : line) {
        if (HexDigit(c) < 0) {
            return "FORMAT_ERROR";
        }
    }
    const uint32_t address = HexNumber(line, 0, 4);
    const uint32_t count = HexNumber(line, 4, 2);
    if (line.size() != 6 + 2 * static_cast<size_t>(count)) {
        return "FORMAT_ERROR";
    }
    // The count is at least 1 here, since a record line has at least 8 characters.
    if (m_image == nullptr || !m_image->IsValid(address) ||
        !m_image->IsValid(address + count - 1)) {
        return "DATA_OVERFLOW";
    }
    m_address = address;
    m_length = count;
    m_data.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        m_data[i] = static_cast<uint8_t>(HexNumber(line, 6 + 2 * i, 2));
    }
    return "OK";
}

void CHexRecord::Commit()
{
    if (m_image == nullptr || !m_image->WriteBlock(m_address, m_data.data(), m_length)) {
        return;
    }
    m_loaded->SetBits(m_address / 8, 7 - static_cast<int>(m_address % 8), 1,
                      static_cast<int>(m_length));
}

bool CHexRecord::IsLoadedFrom(uint32_t firstByte) const
{
    if (!m_loaded) {
        return false;
    }
    for (uint32_t i = firstByte; i < m_loaded->GetSize(); ++i) {
        if (m_loaded->ReadByte(i) != 0xFF) {
            return false;
        }
    }
    return true;
}
