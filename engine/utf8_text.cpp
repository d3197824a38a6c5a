#include "engine/utf8_text.h"

size_t Utf8SequenceLength(const std::string& text, size_t i)
{
    const auto byte = [&](size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
    };
    const unsigned lead = byte(i);
    size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;   // no overlong forms
        high = lead == 0xED ? 0x9F : high; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        const unsigned c = byte(i + k);
        if (c < (k == 1 ? low : 0x80u) || c > (k == 1 ? high : 0xBFu))
            return 0;
    }
    return length;
}

size_t Utf8WholePrefixLength(const std::string& text, size_t limit)
{
    size_t whole = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceLength(text, i);
        const size_t next = i + (length == 0 ? 1 : length);
        if (next > limit)
            break;
        whole = i = next;
    }
    return whole;
}
