#pragma once

#include <cstdint>
#include <string>

#include "engine/access_mode.h"

// A channel frequency in hertz, never negative; 0 means no frequency. Written as megahertz with
// three decimals ("121.500"), kilohertz truncated. Band limits and the channel grid are applied
// by the channel heal, not here.
class CFrequencyValue {
public:
    // Parsed frequencies are limited to this many megahertz.
    static constexpr double kMaximumMegahertz = 2000.0;

    CFrequencyValue() = default;
    virtual ~CFrequencyValue() = default;

    // Negative values become 0.
    void SetValue(long long hertz);
    int32_t Value() const { return m_hertz; }

    std::string Format() const;
    // Reads a number of megahertz from the first 15 characters of text. A text that does not
    // begin with a number (after blanks) leaves the value unchanged; the result is false then.
    bool Parse(const std::string& text);

    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty.
    std::string Query(const std::string& command) const;

private:
    std::string Answer(AccessMode mode) const;

    int32_t m_hertz = 0;
};
