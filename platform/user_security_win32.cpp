#include "platform/user_security_win32.h"

#include <sddl.h>

std::wstring GetCurrentUserSid()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return std::wstring();
    alignas(TOKEN_USER) unsigned char buffer[256];
    DWORD size = 0;
    wchar_t* sid = nullptr;
    std::wstring text;
    if (::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid))
        text = sid;
    ::LocalFree(sid);
    ::CloseHandle(token);
    return text;
}

PSECURITY_DESCRIPTOR MakeOwnerOnlyDescriptor(const wchar_t* inheritance)
{
    const std::wstring sid = GetCurrentUserSid();
    if (sid.empty())
        return nullptr;
    const std::wstring sddl = L"D:P(A;" + std::wstring(inheritance) + L";FA;;;" + sid + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                           &descriptor, nullptr);
    return descriptor;
}
