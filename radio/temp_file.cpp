#include "radio/temp_file.h"

#include <filesystem>
#include <fstream>

#include "platform/temp_folder.h"

namespace {

// Name of the file inside its folder after the caller's prefix; the folder's random name
// already makes it unique.
constexpr const char* kFileSuffix = "0000.tmp";

} // namespace

CTempFile::CTempFile(const std::string& prefix)
{
    const std::string directory = MakePrivateTempFolder();
    if (directory.empty())
        return;
    const std::string path = directory + "/" + prefix + kFileSuffix;
    m_directory = directory;
    if (CreatePrivateFile(path))
        m_path = path;
}

CTempFile::~CTempFile()
{
    if (!m_directory.empty())
        RemovePrivateTempFolder(m_directory);
    UnregisterTemporaryPath(m_path);
}

bool CTempFile::Truncate() const
{
    if (m_path.empty())
        return false;
    std::ofstream out(std::filesystem::u8path(m_path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}
