#include "radio/display_spelling.h"

#include "engine/utf8_text.h"

namespace {

// Spellings of U+00C0 to U+00FF; the two signs among them (× and ÷) have none.
const char* const kLatin1Spellings[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// The letter of U+0100 to U+017F without its accent, one per code point; '*' marks the four
// ligatures, spelled in kLigatures.
const char kLatinExtendedLetters[] = "AaAaAaCcCcCcCcDd"
                                     "DdEeEeEeEeEeGgGg"
                                     "GgGgHhHhIiIiIiIi"
                                     "Ii**JjKkkLlLlLlL"
                                     "lLlNnNnNnnNnOoOo"
                                     "Oo**RrRrRrSsSsSs"
                                     "SsTtTtTtUuUuUuUu"
                                     "UuUuWwYyYZzZzZzs";
static_assert(sizeof kLatinExtendedLetters == 0x80 + 1, "one letter for each of U+0100 to U+017F");

struct CLigature {
    unsigned codePoint;
    const char* spelling;
};
const CLigature kLigatures[] = {{0x132, "IJ"}, {0x133, "ij"}, {0x152, "OE"}, {0x153, "oe"}};

// Combining accents (U+0300 to U+036F) sit on the letter before them and are dropped.
constexpr unsigned kFirstCombiningMark = 0x300;
constexpr unsigned kLastCombiningMark = 0x36F;

// Appends the spelling of the UTF-8 character of `length` bytes at `i` to `out`; false, with
// nothing appended, when it has none. Every character spelled here takes two bytes.
bool AppendSpelling(const std::string& text, size_t i, size_t length, std::string& out)
{
    if (length != 2)
        return false;
    const unsigned codePoint = (static_cast<unsigned char>(text[i]) & 0x1Fu) << 6 |
                               (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
    if (codePoint >= kFirstCombiningMark && codePoint <= kLastCombiningMark)
        return true;
    if (codePoint >= 0xC0 && codePoint <= 0xFF) {
        const std::string spelling = kLatin1Spellings[codePoint - 0xC0];
        out += spelling;
        return !spelling.empty();
    }
    if (codePoint < 0x100 || codePoint > 0x17F)
        return false;
    for (const CLigature& ligature : kLigatures) {
        if (ligature.codePoint == codePoint) {
            out += ligature.spelling;
            return true;
        }
    }
    out += kLatinExtendedLetters[codePoint - 0x100];
    return true;
}

} // namespace

std::string SpelledForDisplay(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
            continue;
        }
        const size_t length = Utf8SequenceLength(text, i);
        if (!AppendSpelling(text, i, length, out))
            out += ' ';
        i += length == 0 ? 1 : length;
    }
    return out;
}

bool HasDisplaySpelling(const std::string& text, size_t i)
{
    std::string spelling;
    return AppendSpelling(text, i, Utf8SequenceLength(text, i), spelling);
}
