#include "radio/temp_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Attempts before giving up on finding an unused directory name.
constexpr int kMaxAttempts = 100;
constexpr int kRandomChars = 12;
// Prefix of the private directories, so that a stray one left by a killed process is
// recognisable in the temporary directory.
constexpr const char* kDirectoryPrefix = "pwr455-";
// Name of the file inside its directory after the caller's prefix; the directory's random
// name already makes it unique.
constexpr const char* kFileSuffix = "0000.tmp";

std::string RandomSuffix(std::mt19937_64& random)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<size_t> pick(0, sizeof(kChars) - 2);
    std::string suffix;
    for (int i = 0; i < kRandomChars; ++i)
        suffix += kChars[pick(random)];
    return suffix;
}

// Narrows a directory just made by create_directory to its owner and checks that nothing got
// into it while it was still open to others (a name somebody else made is never trusted).
bool MakePrivate(const fs::path& dir)
{
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (ec)
        return false;
    fs::file_status status = fs::symlink_status(dir, ec);
    if (ec || status.type() != fs::file_type::directory ||
        (status.permissions() & fs::perms::all) != fs::perms::owner_all)
        return false;
    return fs::is_empty(dir, ec) && !ec;
}

// Creates `path` only if no file of that name exists ("x": exclusive creation, which also
// refuses a symbolic link), then narrows it to its owner while it is still empty.
bool CreateExclusively(const fs::path& path)
{
    std::FILE* file = std::fopen(path.string().c_str(), "wx");
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
    fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return;
    std::random_device seed;
    std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        fs::path dir = base / (kDirectoryPrefix + RandomSuffix(random));
        // create_directory answers false when the name exists already: try another name.
        if (!fs::create_directory(dir, ec)) {
            if (ec && !fs::is_directory(base, ec))
                return;
            continue;
        }
        fs::path file = dir / (prefix + kFileSuffix);
        if (MakePrivate(dir) && CreateExclusively(file)) {
            m_directory = dir.string();
            m_path = file.string();
            return;
        }
        // Our own directory, but something went wrong in it: clear it away and try again.
        fs::remove_all(dir, ec);
    }
}

CTempFile::~CTempFile()
{
    std::error_code ec;
    if (!m_path.empty())
        fs::remove(m_path, ec);
    if (!m_directory.empty())
        fs::remove_all(m_directory, ec);
}

bool CTempFile::Truncate() const
{
    if (m_path.empty())
        return false;
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}
