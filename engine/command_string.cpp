#include "engine/command_string.h"

#include <climits>

std::string::size_type CCommandString::SkipSeparators(const std::string& separator, int n) const
{
    std::string::size_type position = 0;
    if (separator.empty()) {
        return n <= 0 ? 0 : std::string::npos;
    }
    for (int i = 0; i < n; ++i) {
        const std::string::size_type found = m_text.find(separator, position);
        if (found == std::string::npos) {
            return std::string::npos;
        }
        position = found + separator.size();
    }
    return position;
}

std::string CCommandString::Field(const std::string& separator, int n) const
{
    const std::string::size_type start = SkipSeparators(separator, n);
    if (start == std::string::npos) {
        return std::string();
    }
    const std::string::size_type end = separator.empty() ? std::string::npos
                                                         : m_text.find(separator, start);
    return m_text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string CCommandString::Rest(const std::string& separator, int n) const
{
    const std::string::size_type start = SkipSeparators(separator, n);
    return start == std::string::npos ? std::string() : m_text.substr(start);
}

// A single character is a one-character separator string: both count fields the same way.
std::string CCommandString::Field(char separator, int n) const
{
    return Field(std::string(1, separator), n);
}

std::string CCommandString::Rest(char separator, int n) const
{
    return Rest(std::string(1, separator), n);
}

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool EqualsNoCase(const std::string& a, const char* b)
{
    std::string::size_type i = 0;
    for (; b[i] != '\0'; ++i) {
        if (i >= a.size() || Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return i == a.size();
}

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

bool ParseDecimal(const std::string& text, long long& value)
{
    std::string::size_type i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') {
        return false;
    }
    long long result = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (result > (LLONG_MAX - digit) / 10) {
            result = LLONG_MAX;
        } else {
            result = result * 10 + digit;
        }
    }
    value = negative ? -result : result;
    return true;
}
