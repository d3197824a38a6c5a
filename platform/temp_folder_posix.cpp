#include "platform/temp_folder.h"

#include <climits>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "platform/signals_held_posix.h"

std::string MakePrivateTempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/pwr455-XXXXXX";
    CSignalsHeld held;
    char real[PATH_MAX];
    if (!::mkdtemp(pattern.data()))
        return std::string();
    if (!::realpath(pattern.c_str(), real)) {
        ::rmdir(pattern.c_str());
        return std::string();
    }
    RegisterTemporaryPath(real);
    return real;
}

bool CreatePrivateFile(const std::string& path)
{
    CSignalsHeld held;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    RegisterTemporaryPath(path);
    return true;
}

void RemovePrivateTempFolder(const std::string& folder)
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    UnregisterTemporaryPath(folder);
}

void RemoveTemporaryPathsNow()
{
    VisitTemporaryPaths([](const char* path) { ::unlink(path); });
    VisitTemporaryPaths([](const char* path) { ::rmdir(path); });
}
