#include "engine/access_mode.h"

#include "engine/command_string.h"

AccessMode ParseAccessMode(CCommandString& command)
{
    if (command.IsEmpty()) {
        return kByString;
    }
    const std::string word = command.Field('=', 0);
    if (word.empty()) {
        return kByString;
    }
    static const struct {
        const char* word;
        AccessMode mode;
    } kWords[] = {{"ByString", kByString},
                  {"ByNumber", kByNumber},
                  {"ByMenuItemName", kByMenuItemName}};
    for (const auto& entry : kWords) {
        if (EqualsNoCase(word, entry.word)) {
            command = "=" + command.Rest('=', 1);
            return entry.mode;
        }
    }
    return kByString;
}

CValueCommand ParseValueCommand(const std::string& text)
{
    CCommandString command(text);
    CValueCommand parsed;
    parsed.mode = ParseAccessMode(command);
    parsed.value = command.Rest("=", 1);
    return parsed;
}
