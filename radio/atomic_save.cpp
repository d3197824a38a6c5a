#include "radio/atomic_save.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxAttempts = 100;

// Removes the new file unless it was handed over to the target.
class CPendingFile {
public:
    explicit CPendingFile(std::string path) : m_path(std::move(path)) {}
    ~CPendingFile()
    {
        if (!m_path.empty()) {
            std::error_code ec;
            fs::remove(m_path, ec);
        }
    }
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;
    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

// Creates a new, empty file beside `target`, never reusing an existing one.
std::string CreateBeside(const fs::path& target)
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<unsigned> pick(0, 0xFFFFFF);
    fs::path dir = target.parent_path();
    for (int i = 0; i < kMaxAttempts; ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%06x.new", pick(random));
        fs::path candidate = dir / ("." + target.filename().string() + suffix);
        std::FILE* file = std::fopen(candidate.string().c_str(), "wx");
        if (file) {
            std::fclose(file);
            return candidate.string();
        }
        std::error_code ec;
        if (!dir.empty() && !fs::is_directory(dir, ec))
            break;
    }
    return std::string();
}

bool Fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool SaveAtomically(const std::string& targetName, const std::function<void(std::ostream&)>& write,
                    std::string* error)
{
    std::error_code ec;
    fs::path target(targetName);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (target.filename().empty())
        return Fail(error, LoadResString(IDS_SAVE_NOT_A_FILE_NAME));
    // The rename below would replace even a file its owner made read-only: an existing target
    // must be writable in place, as a plain save would need it to be.
    if (fs::exists(target, ec) && !fs::is_directory(target, ec)) {
        std::FILE* probe = std::fopen(target.string().c_str(), "r+b");
        if (!probe)
            return Fail(error, LoadResString(IDS_SAVE_READ_ONLY));
        std::fclose(probe);
    }

    CPendingFile pending(CreateBeside(target));
    if (pending.Path().empty())
        return Fail(error, LoadResString(IDS_SAVE_CANNOT_CREATE));

    {
        std::ofstream out(pending.Path(), std::ios::binary | std::ios::trunc);
        if (!out)
            return Fail(error, LoadResString(IDS_SAVE_CANNOT_OPEN));
        write(out);
        out.flush();
        if (!out)
            return Fail(error, LoadResString(IDS_SAVE_CANNOT_WRITE));
        out.close();
        if (!out)
            return Fail(error, LoadResString(IDS_SAVE_CANNOT_WRITE));
    }

    // A replaced file keeps its permissions.
    fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(pending.Path(), old.permissions(), fs::perm_options::replace, ec);

    fs::rename(pending.Path(), target, ec);
    if (ec)
        return Fail(error, FormatText(LoadResString(IDS_SAVE_CANNOT_REPLACE), {ec.message()}));
    pending.Release();
    return true;
}
