#pragma once

#include <cstddef>
#include <string>

// The length of the well-formed UTF-8 sequence that starts at `i` with a byte of 0x80 or
// above, or 0 when there is none.
size_t Utf8SequenceLength(const std::string& text, size_t i);

// The longest start of `text` of at most `limit` bytes that does not end inside a well-formed
// UTF-8 sequence, so that a cut never leaves half a letter behind.
size_t Utf8WholePrefixLength(const std::string& text, size_t limit);
