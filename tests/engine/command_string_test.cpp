#include "engine/command_string.h"

#include <gtest/gtest.h>

TEST(CommandStringFields, CharacterSeparatorTable)
{
    struct Case {
        const char* text;
        char separator;
        int n;
        const char* field;
        const char* rest;
    };
    const Case cases[] = {
        {"COMMON.BEEP=ON", '=', 0, "COMMON.BEEP", "COMMON.BEEP=ON"},
        {"COMMON.BEEP=ON", '=', 1, "ON", "ON"},
        {"COMMON.BEEP=ON=OFF", '=', 1, "ON", "ON=OFF"},
        {"COMMON.BEEP", '=', 1, "", ""},
        {"COMMON.BEEP", '.', 0, "COMMON", "COMMON.BEEP"},
        {"COMMON.BEEP", '.', 2, "", ""},
        {"NOSEP", '.', 0, "NOSEP", "NOSEP"},
        {"a..b", '.', 1, "", ".b"},
        {"a.b.", '.', 2, "", ""},
        {"", '.', 0, "", ""},
        {"x\"C:\\a.b\\c.qrb\"", '"', 1, "C:\\a.b\\c.qrb", "C:\\a.b\\c.qrb\""},
        {"x\"open", '"', 1, "open", "open"},
    };
    for (const Case& c : cases) {
        const CCommandString command(c.text);
        EXPECT_EQ(command.Field(c.separator, c.n), c.field) << c.text << " " << c.n;
        EXPECT_EQ(command.Rest(c.separator, c.n), c.rest) << c.text << " " << c.n;
    }
}

TEST(CommandStringFields, StringSeparatorDropsItsFullLength)
{
    const CCommandString command("A=>B=>C");
    EXPECT_EQ(command.Field("=>", 0), "A");
    EXPECT_EQ(command.Field("=>", 1), "B");
    EXPECT_EQ(command.Rest("=>", 1), "B=>C");
    EXPECT_EQ(command.Field("=>", 3), "");
    EXPECT_EQ(command.Rest("=", 1), ">B=>C");
}

TEST(CommandStringWords, CaseInsensitiveComparison)
{
    EXPECT_TRUE(EqualsNoCase("file", "FILE"));
    EXPECT_TRUE(EqualsNoCase(std::string("WithSafety"), std::string("WITHSAFETY")));
    EXPECT_FALSE(EqualsNoCase("FILES", "FILE"));
    EXPECT_FALSE(EqualsNoCase("FIL", "FILE"));
    EXPECT_TRUE(EqualsNoCase("", ""));
}

TEST(CommandStringWords, DecimalParsingLikeScanf)
{
    struct Case {
        const char* text;
        bool ok;
        long long value;
    };
    const Case cases[] = {{"12", true, 12},  {" +7x", true, 7},  {"-3", true, -3}, {"x1", false, 0},
                          {"", false, 0},    {"-", false, 0},    {"3.5", true, 3},
                          {"99999999999999999999999", true, 9223372036854775807LL}};
    for (const Case& c : cases) {
        long long value = 0;
        EXPECT_EQ(ParseDecimal(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}
