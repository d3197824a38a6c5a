#include "platform/user_languages.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/utf16_win32.h"

namespace {

// The user's display languages, most wanted first ("nb-NO", "en-US"), as Windows lists them.
std::vector<std::string> PreferredUiLanguages()
{
    ULONG count = 0;
    ULONG length = 0;
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &length) || length == 0)
        return {};
    std::wstring names(length, L'\0');
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &length))
        return {};
    std::vector<std::string> codes;
    for (size_t start = 0; start < names.size() && names[start] != L'\0';) {
        const size_t end = names.find(L'\0', start);
        codes.push_back(WideToUtf8(names.substr(start, end - start)));
        start = end == std::wstring::npos ? names.size() : end + 1;
    }
    return codes;
}

} // namespace

std::vector<std::string> SystemLanguages()
{
    std::vector<std::string> codes = PreferredUiLanguages();
    if (codes.empty()) {
        wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
        if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0)
            codes.push_back(WideToUtf8(name));
    }
    return codes;
}
