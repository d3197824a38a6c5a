#include "engine/decimal_number.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when [p, last) starts with `word` in any case.
bool StartsWithWord(const char* p, const char* last, const char* word)
{
    for (; *word; ++p, ++word) {
        if (p == last || Lower(*p) != *word)
            return false;
    }
    return true;
}

// "inf", "infinity", "nan" or "nan(" letters, digits and underscores ")"; nullptr for none.
const char* ReadWord(const char* p, const char* last, double& value)
{
    if (StartsWithWord(p, last, "inf")) {
        value = std::numeric_limits<double>::infinity();
        return p + (StartsWithWord(p, last, "infinity") ? 8 : 3);
    }
    if (!StartsWithWord(p, last, "nan"))
        return nullptr;
    value = std::numeric_limits<double>::quiet_NaN();
    p += 3;
    if (p != last && *p == '(') {
        const char* q = p + 1;
        while (q != last && (IsDigit(*q) || (Lower(*q) >= 'a' && Lower(*q) <= 'z') || *q == '_'))
            ++q;
        if (q != last && *q == ')')
            return q + 1;
    }
    return p;
}

// The powers of ten a double holds exactly.
double ExactPowerOfTen(int exponent)
{
    static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return kPowers[exponent];
}

// significand * 10^exponent: exact to the last bit where both factors are exact doubles, so
// that one rounding is all there is; otherwise as close as long double arithmetic gets.
double Scale(uint64_t significand, long exponent)
{
    constexpr uint64_t kExactSignificand = uint64_t(1) << 53;
    if (significand == 0)
        return 0.0;
    if (significand <= kExactSignificand && exponent >= -22 && exponent <= 22) {
        const double s = static_cast<double>(significand);
        const int e = static_cast<int>(exponent);
        return e < 0 ? s / ExactPowerOfTen(-e) : s * ExactPowerOfTen(e);
    }
    if (exponent > 400)
        return std::numeric_limits<double>::infinity();
    if (exponent < -400)
        return 0.0;
    return static_cast<double>(static_cast<long double>(significand) *
                               std::pow(10.0L, static_cast<long double>(exponent)));
}

} // namespace

CDecimalRead ReadDecimalNumber(const char* first, const char* last, double& value)
{
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative)
        ++p;
    double word = 0.0;
    if (const char* end = ReadWord(p, last, word)) {
        value = negative ? -word : word;
        return {EDecimalRead::kNumber, end};
    }
    // The significand's first 19 digits; those after them only move the point.
    constexpr int kKeptDigits = 19;
    uint64_t significand = 0;
    int kept = 0;
    long exponent = 0;
    bool anyDigit = false;
    auto takeDigit = [&](char c, bool afterPoint) {
        anyDigit = true;
        if (significand == 0 && c == '0') {
            exponent -= afterPoint ? 1 : 0;
        } else if (kept < kKeptDigits) {
            significand = significand * 10 + static_cast<uint64_t>(c - '0');
            ++kept;
            exponent -= afterPoint ? 1 : 0;
        } else {
            exponent += afterPoint ? 0 : 1;
        }
    };
    for (; p != last && IsDigit(*p); ++p)
        takeDigit(*p, false);
    if (p != last && *p == '.') {
        for (++p; p != last && IsDigit(*p); ++p)
            takeDigit(*p, true);
    }
    if (!anyDigit)
        return {EDecimalRead::kNoNumber, first};
    // An exponent counts only when it has digits: "1e" is 1, followed by "e".
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negativeExponent = q != last && *q == '-';
        if (q != last && (*q == '-' || *q == '+'))
            ++q;
        if (q != last && IsDigit(*q)) {
            long written = 0;
            for (; q != last && IsDigit(*q); ++q)
                written = written < 100000 ? written * 10 + (*q - '0') : written;
            exponent += negativeExponent ? -written : written;
            p = q;
        }
    }
    const double magnitude = Scale(significand, exponent);
    if (std::isinf(magnitude) || (magnitude == 0.0 && significand != 0))
        return {EDecimalRead::kOutOfRange, p};
    value = negative ? -magnitude : magnitude;
    return {EDecimalRead::kNumber, p};
}
