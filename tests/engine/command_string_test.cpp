#include "engine/command_string.h"

#include <gtest/gtest.h>

#include "engine/access_mode.h"

TEST(CommandString, FieldAndRest)
{
    const struct { const char* text; char separator; int n; const char* field; const char* rest; } cases[] = {
        {"COMMON.BEEP=ON", '=', 0, "COMMON.BEEP", "COMMON.BEEP=ON"}, {"COMMON.BEEP=ON=OFF", '=', 1, "ON", "ON=OFF"},
        {"COMMON.BEEP", '=', 1, "", ""}, {"COMMON.BEEP", '.', 2, "", ""}, {"NOSEP", '.', 0, "NOSEP", "NOSEP"},
        {"a..b", '.', 1, "", ".b"}, {"a.b.", '.', 2, "", ""}, {"", '.', 0, "", ""}, {"x\"open", '"', 1, "open", "open"},
        {"x\"C:\\a.b\\c.qrb\"", '"', 1, "C:\\a.b\\c.qrb", "C:\\a.b\\c.qrb\""},
    };
    for (const auto& c : cases) {
        const CCommandString command(c.text);
        EXPECT_EQ(command.Field(c.separator, c.n), c.field) << c.text << " " << c.n;
        EXPECT_EQ(command.Rest(c.separator, c.n), c.rest) << c.text << " " << c.n;
    }
    const CCommandString command("A=>B=>C"); // a separator of several characters
    EXPECT_EQ(command.Field("=>", 1), "B");
    EXPECT_EQ(command.Rest("=>", 1), "B=>C");
    EXPECT_EQ(command.Field("", 0) + "|" + command.Field("", 1), "A=>B=>C|"); // no separator
}

// A known access word leaves the command; any other text stays as it was.
TEST(CommandString, AccessWordIsTakenOff)
{
    const struct { const char* text; AccessMode mode; const char* rest; } cases[] = {
        {"ByNumber=5", kByNumber, "=5"}, {"bymenuitemname=A=B", kByMenuItemName, "=A=B"},
        {"ByString", kByString, "="}, {"Foo=ON", kByString, "Foo=ON"}, {"=ON", kByString, "=ON"},
    };
    for (const auto& c : cases) {
        CCommandString command(c.text);
        EXPECT_EQ(ParseAccessMode(command), c.mode) << c.text;
        EXPECT_EQ(command.GetText(), c.rest) << c.text;
    }
}
