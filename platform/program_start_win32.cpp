#include "platform/program_start.h"

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include "platform/utf16_win32.h"

namespace {

// The command line after the program's name, which CommandLineToArgvW ends at the first blank
// or, when it starts with a quote, at the next quote.
const wchar_t* ArgumentsOf(const wchar_t* commandLine)
{
    const wchar_t* p = commandLine;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        for (; *p && *p != L' ' && *p != L'\t'; ++p) {
        }
    }
    return p;
}

} // namespace

std::string GetOwnProgramPath()
{
    // Long paths are cut to the buffer's size, whatever the system's limit.
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(),
                                              static_cast<DWORD>(path.size()));
    path.resize(length);
    return WideToUtf8(path);
}

bool StartWithOwnArguments(const std::string& program, std::string* error)
{
    const std::wstring path = Utf8ToWide(program);
    std::wstring commandLine = L"\"" + path + L"\"" + ArgumentsOf(::GetCommandLineW());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        if (error)
            *error = DescribeSystemError(::GetLastError());
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}
