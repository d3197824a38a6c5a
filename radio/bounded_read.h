#pragma once

#include <cstdint>
#include <string>

enum class EReadResult { kOk, kCannotRead, kTooLarge };

// Reads the whole file at `path` into `text`, unless it holds more than `maxBytes`: a file far
// larger than what it should be is not read into memory at all (or not beyond the limit).
// `text` is changed only on kOk.
EReadResult ReadFileBounded(const std::string& path, uintmax_t maxBytes, std::string& text);
