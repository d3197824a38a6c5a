#include "engine/text_value.h"

#include "engine/access_mode.h"
#include "engine/utf8_text.h"

namespace {

// A character byte the display set does not hold, so that the filter turns it into one blank.
constexpr char kNoDisplayCharacter = '\x80';

// Command text is UTF-8, while the transceiver keeps one byte per character: each character
// beyond ASCII stands here as one byte outside the display set, so that it takes one place of
// the name and becomes one blank. A byte that starts no UTF-8 character stays a byte of its own.
std::string OneBytePerCharacter(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        out += length == 0 ? text[i] : kNoDisplayCharacter;
        i += length == 0 ? 1 : length;
    }
    return out;
}

} // namespace

CTextValue::CTextValue()
{
    SetLength(1, 1);
}

void CTextValue::SetLength(int a, int b)
{
    m_minimumLength = a < b ? a : b;
    m_maximumLength = a < b ? b : a;
    if (m_minimumLength < 1) {
        m_minimumLength = 1;
    }
    if (m_maximumLength > 256) {
        m_maximumLength = 256;
    }
    if (m_minimumLength > m_maximumLength) {
        m_minimumLength = m_maximumLength;
    }
    if (m_maximumLength < 1) {
        m_maximumLength = 1;
        m_minimumLength = 1;
    }
    m_text.assign(static_cast<size_t>(m_maximumLength), ' ');
}

bool CTextValue::IsDisplayCharacter(unsigned char c)
{
    return c == 0x20 || (c >= 0x24 && c <= 0x25) || (c >= 0x27 && c <= 0x2D) ||
           (c >= 0x2F && c <= 0x39) || (c >= 0x3C && c <= 0x60);
}

void CTextValue::SetText(const std::string& text)
{
    SetText(text.data(), text.size());
}

void CTextValue::SetText(const char* text, size_t length)
{
    const size_t limit = static_cast<size_t>(m_maximumLength);
    m_text.assign(text, length < limit ? length : limit);
    Normalise();
}

void CTextValue::Normalise()
{
    // A NUL character ends the text; the rest is padding.
    const std::string::size_type nul = m_text.find('\0');
    if (nul != std::string::npos) {
        m_text.resize(nul);
    }
    if (m_mode == 1) {
        for (char& ch : m_text) {
            unsigned char c = static_cast<unsigned char>(ch);
            if (c >= 'a' && c <= 'z') {
                c = static_cast<unsigned char>(c - 'a' + 'A');
            }
            ch = IsDisplayCharacter(c) ? static_cast<char>(c) : ' ';
        }
    }
    if (m_text.size() < static_cast<size_t>(m_minimumLength)) {
        m_text.append(static_cast<size_t>(m_minimumLength) - m_text.size(), ' ');
    }
}

// Every access word reads the text the same way.
std::string CTextValue::Execute(const std::string& text)
{
    const CValueCommand command = ParseValueCommand(text);
    if (!command.value.empty()) {
        const std::string& value = command.value;
        if (m_mode == 1)
            SetText(OneBytePerCharacter(value));
        else
            SetText(value.data(), Utf8WholePrefixLength(value, static_cast<size_t>(m_maximumLength)));
    }
    return m_text;
}

std::string CTextValue::Query(const std::string& text) const
{
    return ParseValueCommand(text).value.empty() ? m_text : std::string();
}
