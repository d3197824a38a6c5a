#include "engine/frequency_value.h"

#include <cmath>
#include <cstdio>

#include "engine/command_string.h"
#include "engine/decimal_number.h"

void CFrequencyValue::SetValue(long long hertz)
{
    if (hertz < 0) {
        hertz = 0;
    }
    if (hertz > INT32_MAX) {
        hertz = INT32_MAX;
    }
    m_hertz = static_cast<int32_t>(hertz);
}

std::string CFrequencyValue::Format() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%03ld", static_cast<long>(m_hertz / 1000000),
                  static_cast<long>((m_hertz % 1000000) / 1000));
    return text;
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a decimal floating-point number at the start of text, independent of the locale (a GUI
// locale with a decimal comma must not change how "121.5" is read).
bool ReadMegahertz(const std::string& text, double& megahertz)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && IsBlank(*first)) {
        ++first;
    }
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-') {
        return false;
    }
    double value = 0;
    const CDecimalRead result = ReadDecimalNumber(first, last, value);
    if (result.outcome == EDecimalRead::kNoNumber) {
        return false;
    }
    if (result.outcome == EDecimalRead::kOutOfRange) {
        // Too large or too small to represent: a negative exponent means a tiny number.
        value = HUGE_VAL;
        for (const char* p = first; p + 1 < result.end; ++p) {
            if ((*p == 'e' || *p == 'E') && p[1] == '-') {
                value = 0.0;
            }
        }
    }
    if (std::isnan(value)) {
        return false;
    }
    megahertz = negative ? -value : value;
    return true;
}

} // namespace

bool CFrequencyValue::Parse(const std::string& text)
{
    // At most 15 characters are examined, leading blanks included.
    double x = 0;
    if (!ReadMegahertz(text.substr(0, 15), x)) {
        // Not a number: the value stays as it was, so the answer shows the refusal.
        return false;
    }
    // Round half a hertz up so that 118.0083 gives 118008300 and not 118008299.
    x += 0.0000005;
    if (x > kMaximumMegahertz) {
        x = kMaximumMegahertz;
    }
    if (x < 0) {
        SetValue(0);
        return true;
    }
    const long long whole = static_cast<long long>(x);
    const long long fraction = static_cast<long long>(x * 1000000.0) % 1000000;
    SetValue(fraction + whole * 1000000);
    return true;
}

std::string CFrequencyValue::Execute(const std::string& text)
{
    const CValueCommand command = ParseValueCommand(text);
    if (command.mode == kByNumber && !command.value.empty()) {
        long long hertz = 0;
        // A value that is not a number leaves the frequency unchanged.
        if (ParseDecimal(command.value, hertz)) {
            SetValue(hertz);
        }
    } else if (!command.value.empty()) {
        Parse(command.value);
    }
    return Answer(command.mode);
}

std::string CFrequencyValue::Query(const std::string& text) const
{
    const CValueCommand command = ParseValueCommand(text);
    return command.value.empty() ? Answer(command.mode) : std::string();
}

std::string CFrequencyValue::Answer(AccessMode mode) const
{
    return mode == kByNumber ? std::to_string(m_hertz) : Format();
}
