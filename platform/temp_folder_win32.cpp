#include "platform/temp_folder.h"

#include <random>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <sddl.h>

#include "platform/utf16_win32.h"

namespace {

constexpr int kMaxAttempts = 100;

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

// A security descriptor that lets only this process's user in, inherited by what the folder
// holds; nullptr when the system will not make one (the folder then gets the temporary folder's,
// which is the user's own).
PSECURITY_DESCRIPTOR MakeOwnerOnlyDescriptor()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return nullptr;
    alignas(TOKEN_USER) unsigned char buffer[256];
    DWORD size = 0;
    wchar_t* sid = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        const std::wstring sddl = L"D:P(A;OICI;FA;;;" + std::wstring(sid) + L")";
        ::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                               &descriptor, nullptr);
    }
    ::LocalFree(sid);
    ::CloseHandle(token);
    return descriptor;
}

} // namespace

std::string MakePrivateTempFolder()
{
    const std::wstring base = TempFolder();
    if (base.empty())
        return std::string();
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, 35);
    SECURITY_ATTRIBUTES security = {sizeof security, MakeOwnerOnlyDescriptor(), FALSE};
    std::string made;
    for (int attempt = 0; attempt < kMaxAttempts && made.empty(); ++attempt) {
        std::wstring folder = base + L"pwr455-";
        for (int i = 0; i < 6; ++i)
            folder += L"0123456789abcdefghijklmnopqrstuvwxyz"[pick(random)];
        if (::CreateDirectoryW(folder.c_str(), &security)) {
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

void RemoveTemporaryPathsNow()
{
    // A console event's handler runs on a thread of its own: it may convert the names as usual.
    VisitTemporaryPaths([](const char* path) { ::DeleteFileW(Utf8ToWide(path).c_str()); });
    VisitTemporaryPaths([](const char* path) { ::RemoveDirectoryW(Utf8ToWide(path).c_str()); });
}
