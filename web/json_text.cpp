#include "web/json_text.h"

#include <cstdio>

std::string CJsonObject::Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void CJsonObject::Key(const std::string& key)
{
    if (!m_fields.empty())
        m_fields += ',';
    m_fields += Quote(key) + ':';
}

void CJsonObject::Add(const std::string& key, const std::string& value)
{
    Key(key);
    m_fields += Quote(value);
}

void CJsonObject::Add(const std::string& key, unsigned value)
{
    Key(key);
    m_fields += std::to_string(value);
}

void CJsonObject::Add(const std::string& key, bool value)
{
    Key(key);
    m_fields += value ? "true" : "false";
}

namespace {

std::string Array(const std::vector<std::string>& values)
{
    std::string array = "[";
    for (size_t i = 0; i < values.size(); ++i)
        array += (i ? "," : "") + CJsonObject::Quote(values[i]);
    return array + "]";
}

} // namespace

void CJsonObject::AddTexts(const std::string& key, const std::vector<std::string>& values)
{
    Key(key);
    m_fields += Array(values);
}

void CJsonObject::AddRows(const std::string& key, const std::vector<std::vector<std::string>>& rows)
{
    Key(key);
    m_fields += '[';
    for (size_t i = 0; i < rows.size(); ++i)
        m_fields += (i ? "," : "") + Array(rows[i]);
    m_fields += ']';
}

const char* HandToPage(std::string text)
{
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}
