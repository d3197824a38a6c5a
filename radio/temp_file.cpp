#include "radio/temp_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Attempts before giving up on finding an unused name.
constexpr int kMaxAttempts = 100;
constexpr int kRandomChars = 8;

std::string RandomSuffix(std::mt19937_64& random)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<size_t> pick(0, sizeof(kChars) - 2);
    std::string suffix;
    for (int i = 0; i < kRandomChars; ++i)
        suffix += kChars[pick(random)];
    return suffix;
}

// Creates `path` only if no file of that name exists ("x": exclusive creation), then narrows
// its permissions to the owner. The file is still empty when its permissions change.
bool CreateExclusively(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wx");
    if (!file)
        return false;
    std::fclose(file);
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace,
                    ec);
    if (ec) {
        fs::remove(path, ec);
        return false;
    }
    return true;
}

} // namespace

CTempFile::CTempFile(const std::string& prefix)
{
    std::error_code ec;
    fs::path dir = fs::temp_directory_path(ec);
    if (ec)
        return;
    std::random_device seed;
    std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::string candidate = (dir / (prefix + RandomSuffix(random))).string();
        if (CreateExclusively(candidate)) {
            m_path = candidate;
            return;
        }
        if (!fs::is_directory(dir, ec))
            return;
    }
}

CTempFile::~CTempFile()
{
    if (m_path.empty())
        return;
    std::error_code ec;
    fs::remove(m_path, ec);
}

bool CTempFile::Truncate() const
{
    if (m_path.empty())
        return false;
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}
