#include "platform/user_folders.h"

#include <filesystem>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/utf16_win32.h"

namespace {

// The environment's name of a folder when it is a full path (one relative to the current folder
// or drive would put the user's files wherever the program was started), else the one the
// system keeps for it.
std::string KnownFolder(const char* variable, REFKNOWNFOLDERID id)
{
    std::string folder = GetEnvironmentText(variable);
    if (std::filesystem::u8path(folder).is_absolute())
        return folder;
    folder.clear();
    wchar_t* path = nullptr;
    if (::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        folder = WideToUtf8(path);
    ::CoTaskMemFree(path);
    return folder;
}

} // namespace

std::string GetHomeFolder()
{
    return KnownFolder("USERPROFILE", FOLDERID_Profile);
}

std::string GetUserConfigFolder()
{
    return KnownFolder("APPDATA", FOLDERID_RoamingAppData);
}

std::string GetUserDataFolder()
{
    return KnownFolder("LOCALAPPDATA", FOLDERID_LocalAppData);
}

std::string GetProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(),
                                                  static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return WideToUtf8(path.substr(0, path.find_last_of(L"\\/")));
}

std::string GetShippedDataFolder()
{
    return GetProgramFolder();
}

std::string GetEnvironmentText(const char* name)
{
    const std::wstring wideName = Utf8ToWide(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0)
        return std::string();
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return WideToUtf8(value);
}
