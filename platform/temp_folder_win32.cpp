#include "platform/temp_folder.h"

#include <mutex>
#include <random>
#include <vector>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include "platform/user_security_win32.h"
#include "platform/utf16_win32.h"

namespace {

constexpr int kMaxAttempts = 100;
constexpr wchar_t kFolderPrefix[] = L"pwr455-";
constexpr wchar_t kNameLetters[] = L"0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int kRandomLetters = 6;

// Each private folder stays open, without leave to delete it, for as long as this process has
// it: a folder of that name that can be opened for deletion belongs to no running process (one
// that was killed, or whose clean-up failed). A handle is all such a hold is; the system lets go
// of it however the process ends.
struct CHold {
    std::string folder;
    HANDLE handle;
};
std::mutex g_holdsMutex;
std::vector<CHold> g_holds;

HANDLE OpenFolder(const std::wstring& folder, DWORD access, DWORD share)
{
    return ::CreateFileW(folder.c_str(), access, share, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

HANDLE HoldFolder(const std::wstring& folder)
{
    return OpenFolder(folder, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

void ReleaseHold(const std::string& folder)
{
    const std::lock_guard<std::mutex> lock(g_holdsMutex);
    for (auto it = g_holds.begin(); it != g_holds.end(); ++it)
        if (it->folder == folder) {
            ::CloseHandle(it->handle);
            g_holds.erase(it);
            return;
        }
}

// The temporary folder in its long form, with a trailing backslash ("" when the system has none).
std::wstring TempFolder()
{
    wchar_t given[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, given);
    if (length == 0 || length > MAX_PATH)
        return std::wstring();
    wchar_t full[32768];
    const DWORD fullLength = ::GetLongPathNameW(given, full, 32768);
    return fullLength > 0 && fullLength < 32768 ? std::wstring(full, fullLength) : given;
}

bool IsPrivateFolderName(const std::wstring& name)
{
    const size_t prefix = std::char_traits<wchar_t>::length(kFolderPrefix);
    return name.size() == prefix + kRandomLetters && name.compare(0, prefix, kFolderPrefix) == 0 &&
           name.find_first_not_of(kNameLetters, prefix) == std::wstring::npos;
}

// The names of the files in the folder that `folder` is open on, listed through that handle: a
// new open of the folder (as FindFirstFileW makes) might meet the handle's own claim.
std::vector<std::wstring> ListFiles(HANDLE folder)
{
    std::vector<std::wstring> names;
    alignas(LONGLONG) unsigned char buffer[16384];
    FILE_INFO_BY_HANDLE_CLASS next = FileIdBothDirectoryRestartInfo;
    while (::GetFileInformationByHandleEx(folder, next, buffer, sizeof buffer)) {
        next = FileIdBothDirectoryInfo;
        for (size_t at = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + at);
            if (!(entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.emplace_back(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (entry->NextEntryOffset == 0)
                break;
            at += entry->NextEntryOffset;
        }
    }
    return names;
}

// Removes `folder` and the files in it when no process holds it. Held by us, nobody can take it
// up meanwhile; the files go while we hold it, the folder once we have let go.
void RemoveIfAbandoned(const std::wstring& folder)
{
    const HANDLE held = OpenFolder(folder, DELETE | FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (held == INVALID_HANDLE_VALUE)
        return;
    for (const std::wstring& name : ListFiles(held))
        ::DeleteFileW((folder + L"\\" + name).c_str());
    ::CloseHandle(held);
    ::RemoveDirectoryW(folder.c_str());
}

// The private folders that runs killed before their clean-up left in the temporary folder.
void RemoveAbandonedFolders(const std::wstring& base)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW((base + kFolderPrefix + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
            IsPrivateFolderName(entry.cFileName))
            RemoveIfAbandoned(base + entry.cFileName);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}

// Makes the folder and holds it. A folder that another process's clean-up took for abandoned
// before the hold (it had just been made) is given up for another name.
bool MakeHeldFolder(const std::wstring& folder, SECURITY_ATTRIBUTES& security)
{
    if (!::CreateDirectoryW(folder.c_str(), &security))
        return false;
    const HANDLE hold = HoldFolder(folder);
    if (hold == INVALID_HANDLE_VALUE) {
        ::RemoveDirectoryW(folder.c_str());
        ::SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    const std::lock_guard<std::mutex> lock(g_holdsMutex);
    g_holds.push_back({WideToUtf8(folder), hold});
    return true;
}

} // namespace

std::string MakePrivateTempFolder()
{
    const std::wstring base = TempFolder();
    if (base.empty())
        return std::string();
    RemoveAbandonedFolders(base);
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, 35);
    SECURITY_ATTRIBUTES security = {sizeof security, MakeOwnerOnlyDescriptor(L"OICI"), FALSE};
    std::string made;
    for (int attempt = 0; attempt < kMaxAttempts && made.empty(); ++attempt) {
        std::wstring folder = base + kFolderPrefix;
        for (int i = 0; i < kRandomLetters; ++i)
            folder += kNameLetters[pick(random)];
        if (MakeHeldFolder(folder, security)) {
            made = WideToUtf8(folder);
            RegisterTemporaryPath(made);
        } else if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    ::LocalFree(security.lpSecurityDescriptor);
    return made;
}

bool CreatePrivateFile(const std::string& path)
{
    const HANDLE file = ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    RegisterTemporaryPath(path);
    return true;
}

void RemovePrivateTempFolder(const std::string& folder)
{
    ReleaseHold(folder);
    const std::wstring wide = Utf8ToWide(folder);
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW((wide + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::wstring file = wide + L"\\" + entry.cFileName;
                ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(file.c_str());
            }
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(wide.c_str());
    UnregisterTemporaryPath(folder);
}

void RemoveTemporaryPathsNow()
{
    // A console event's handler runs on a thread of its own: it may take the lock and convert
    // the names as usual.
    {
        const std::lock_guard<std::mutex> lock(g_holdsMutex);
        for (const CHold& hold : g_holds)
            ::CloseHandle(hold.handle);
        g_holds.clear();
    }
    VisitTemporaryPaths([](const char* path) { ::DeleteFileW(Utf8ToWide(path).c_str()); });
    VisitTemporaryPaths([](const char* path) { ::RemoveDirectoryW(Utf8ToWide(path).c_str()); });
}
