#include "tests/common/test_system.h"

#include <map>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include "platform/utf16_win32.h"

void SetEnv(const std::string& name, const std::optional<std::string>& value)
{
    const std::wstring wideValue = Utf8ToWide(value.value_or(""));
    ::SetEnvironmentVariableW(Utf8ToWide(SystemVariableName(name)).c_str(),
                              value ? wideValue.c_str() : nullptr);
}

std::string SystemVariableName(const std::string& name)
{
    static const std::map<std::string, std::string> windows = {{"TMPDIR", "TMP"},
                                                               {"HOME", "USERPROFILE"},
                                                               {"XDG_CONFIG_HOME", "APPDATA"},
                                                               {"XDG_DATA_HOME", "LOCALAPPDATA"}};
    const auto it = windows.find(name);
    return it == windows.end() ? name : it->second;
}

std::string MissingFileReason()
{
    return DescribeSystemError(ERROR_FILE_NOT_FOUND);
}

bool IsSuperUser()
{
    return false;
}
