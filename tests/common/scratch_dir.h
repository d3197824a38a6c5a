#pragma once

// A fresh folder inside the temporary folder ($TMPDIR, else /tmp; Windows: %TEMP%) for one test,
// removed with everything in it at the end, even where a test has taken away its write permissions.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// Names of the entries of a folder, sorted.
inline std::vector<std::string> ListFolder(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CScratchDir {
public:
    CScratchDir()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path parent = fs::temp_directory_path(ec);
        std::random_device random;
        for (int tries = 0; tries < 100 && m_path.empty() && !ec; ++tries) {
            const fs::path candidate = parent / ("pwr-test-" + std::to_string(random()));
            if (fs::create_directory(candidate, ec))
                m_path = candidate;
        }
    }
    ~CScratchDir()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(m_path, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->symlink_status(ec).type() != fs::file_type::symlink) // Windows keeps read-only files
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string In(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> Entries() const { return ListFolder(m_path); }

private:
    std::filesystem::path m_path;
};
