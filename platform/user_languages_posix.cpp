#include "platform/user_languages.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsPlainLocale(const std::string& locale)
{
    return locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

} // namespace

std::vector<std::string> SystemLanguages()
{
    // As gettext reads them: the first of LC_ALL, LC_MESSAGES, LANG that is set names the
    // locale; LANGUAGE, a list separated by colons, comes before it unless that locale is C.
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = Variable(name);
        if (!locale.empty())
            break;
    }
    if (locale.empty() || IsPlainLocale(locale))
        return {};
    std::vector<std::string> codes;
    const std::string list = Variable("LANGUAGE");
    for (size_t start = 0; start < list.size();) {
        const size_t end = std::min(list.find(':', start), list.size());
        if (end > start)
            codes.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    codes.push_back(locale);
    return codes;
}
