#include "platform/user_folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace {

// The XDG base folders count only as absolute paths; a relative one is to be ignored.
std::string XdgFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const std::string home = GetHomeFolder();
    return home.empty() ? std::string() : home + underHome;
}

} // namespace

std::string GetHomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    std::vector<char> buffer(16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return std::string();
}

std::string GetUserConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string GetUserDataFolder()
{
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string GetProgramFolder()
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : program.parent_path().string();
}

std::string GetShippedDataFolder()
{
    const std::string program = GetProgramFolder();
    return program.empty() ? std::string() : program + "/../share/pwr455";
}

std::string GetEnvironmentText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : std::string();
}
