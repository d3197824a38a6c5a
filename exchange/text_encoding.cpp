#include "exchange/text_encoding.h"

#include <cstdint>

#include "text/text_util.h"
#include "res/resource_ids.h"

std::string HexByte(unsigned char c)
{
    const char digits[] = "0123456789ABCDEF";
    return {digits[c >> 4], digits[c & 0x0F]};
}

std::string PrintableText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const bool c1 = c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (c < 0x20 || c == 0x7F || c1)
            out += ' ';
        else
            out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string ShownText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : Utf8SequenceLength(text, i);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            out += "\\x" + HexByte(c);
            ++i;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}

namespace {

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The line that the end of `text` is on; CR LF, LF and a lone CR each end a line.
unsigned LineAtEnd(const std::string& text)
{
    unsigned line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

// UTF-16 after its byte order mark, as UTF-8.
bool DecodeUtf16(const std::string& bytes, bool bigEndian, std::string& text,
                 CTextDecodeError& error)
{
    const auto unit = [&](size_t i) -> uint32_t {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    text.clear();
    for (size_t i = 2; i < bytes.size(); i += 2) {
        uint32_t cp = i + 1 < bytes.size() ? unit(i) : 0xDC00; // half a unit: broken
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            error = {IDS_CSV_BROKEN_UTF16, LineAtEnd(text)};
            return false;
        }
        AppendUtf8(text, cp);
    }
    return true;
}

} // namespace

bool DecodeCsvText(const std::string& bytes, std::string& text, CTextDecodeError& error)
{
    using namespace std::string_literals;
    if (StartsWith(bytes, "\xFF\xFE\0\0"s) || StartsWith(bytes, "\0\0\xFE\xFF"s)) {
        error = {IDS_CSV_UTF32, 1};
        return false;
    }
    // .xlsx and .ods are ZIP archives, .xls an OLE compound file.
    if (StartsWith(bytes, "PK\x03\x04"s) || StartsWith(bytes, "\xD0\xCF\x11\xE0"s)) {
        error = {IDS_CSV_SPREADSHEET_DOCUMENT, 1};
        return false;
    }
    if (StartsWith(bytes, "\xFF\xFE"s) || StartsWith(bytes, "\xFE\xFF"s))
        return DecodeUtf16(bytes, bytes[0] == '\xFE', text, error);
    // Every other byte NUL: the ASCII header row in UTF-16 without a byte order mark.
    const auto isNul = [&](size_t i) { return bytes[i] == '\0'; };
    if (bytes.size() >= 4 && isNul(0) != isNul(1) && isNul(0) == isNul(2) && isNul(1) == isNul(3)) {
        error = {IDS_CSV_UTF16_WITHOUT_BOM, 1};
        return false;
    }
    text = StartsWith(bytes, "\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    return true;
}
