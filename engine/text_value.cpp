#include "engine/text_value.h"

#include "engine/access_mode.h"

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
        SetText(command.value);
    }
    return m_text;
}

std::string CTextValue::Query(const std::string& text) const
{
    return ParseValueCommand(text).value.empty() ? m_text : std::string();
}
