#pragma once

#include <cstddef>
#include <string>

#include "engine/utf8_text.h"

// Text files as spreadsheets and editors save them, read as UTF-8, and bytes shown in messages.

// Why bytes are no text that DecodeCsvText takes: a string resource that says why, and the
// line (from 1) where that shows.
struct CTextDecodeError {
    unsigned messageId = 0;
    unsigned line = 0;
};

// The text of a CSV file as UTF-8 without a byte order mark, from UTF-8 with or without one or
// UTF-16 with one. UTF-16 without a byte order mark, UTF-32, UTF-16 with a cut-off character
// and spreadsheet documents are refused with the reason.
bool DecodeCsvText(const std::string& bytes, std::string& text, CTextDecodeError& error);

// A byte as two uppercase hexadecimal digits.
std::string HexByte(unsigned char c);

// Text as a terminal or a window may show it: control characters (line breaks, the escape of
// terminal sequences, C1 controls) become blanks, and bytes that are no UTF-8 text become the
// replacement character U+FFFD.
std::string PrintableText(const std::string& text);

// A field as a message quotes it: control characters and bytes that are not UTF-8 text appear
// as \xNN, so that the message stays readable and is valid UTF-8 for the desktop program.
std::string ShownText(const std::string& text);
