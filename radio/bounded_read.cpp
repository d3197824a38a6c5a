#include "radio/bounded_read.h"

#include <filesystem>
#include <fstream>
#include <sstream>

EReadResult ReadFileBounded(const std::string& path, uintmax_t maxBytes, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return EReadResult::kCannotRead;
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxBytes)
        return EReadResult::kTooLarge;
    // The size of a pipe or a growing file is not known in advance: the count decides.
    std::ostringstream buffer;
    char chunk[1 << 16];
    uintmax_t total = 0;
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        total += static_cast<uintmax_t>(in.gcount());
        if (total > maxBytes)
            return EReadResult::kTooLarge;
        buffer.write(chunk, in.gcount());
    }
    if (in.bad())
        return EReadResult::kCannotRead;
    text = buffer.str();
    return EReadResult::kOk;
}
