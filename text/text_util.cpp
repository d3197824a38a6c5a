#include "text/text_util.h"

#include <algorithm>
#include <climits>
#include <vector>

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string TrimLeft(const std::string& text)
{
    size_t start = 0;
    while (start < text.size() && IsWhiteSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::string Trim(const std::string& text)
{
    return TrimLeft(TrimRight(text));
}

std::string Upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

int DecimalValue(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args)
{
    std::vector<std::string> list(args);
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            char next = pattern[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9') {
                size_t index = static_cast<size_t>(next - '1');
                if (index < list.size())
                    out += list[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string WithDecimalPoint(std::string number)
{
    if (std::count(number.begin(), number.end(), ',') == 1 && number.find('.') == std::string::npos)
        number[number.find(',')] = '.';
    return number;
}

std::string FormatPercentS(std::string pattern, std::initializer_list<std::string> args)
{
    size_t at = 0;
    for (const std::string& arg : args) {
        at = pattern.find("%s", at);
        if (at == std::string::npos)
            break;
        pattern.replace(at, 2, arg);
        at += arg.size();
    }
    return pattern;
}
