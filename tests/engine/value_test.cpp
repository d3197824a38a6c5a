#include <gtest/gtest.h>

#include "engine/access_mode.h"
#include "engine/command_string.h"
#include "engine/frequency_value.h"
#include "engine/list_value.h"
#include "engine/number_range.h"
#include "engine/range_value.h"
#include "engine/text_value.h"
#include "engine/value_list.h"

TEST(AccessModeParse, WordsAndRewriting)
{
    struct Case {
        const char* in;
        AccessMode mode;
        const char* out;
    };
    const Case cases[] = {
        {"", kByString, ""},
        {"=ON", kByString, "=ON"},
        {"ByNumber=1", kByNumber, "=1"},
        {"bynumber=1=2", kByNumber, "=1=2"},
        {"ByMenuItemName=ON", kByMenuItemName, "=ON"},
        {"BYSTRING=x", kByString, "=x"},
        {"Foo=ON", kByString, "Foo=ON"},
        {"ByNumber", kByNumber, "="},
    };
    for (const Case& c : cases) {
        CCommandString command(c.in);
        EXPECT_EQ(ParseAccessMode(command), c.mode) << c.in;
        EXPECT_EQ(command.GetText(), c.out) << c.in;
    }
}

class OffOnListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.Resize(2);
        m_list.SetName(0, "OFF");
        m_list.SetName(1, "ON");
    }
    CValueList m_list;
};

TEST_F(OffOnListTest, CommandTable)
{
    // Each step runs on the value as the previous steps left it.
    struct Step {
        const char* command;
        const char* answer;
    };
    const Step steps[] = {
        {"", "OFF"},         {"=on", "ON"},           {"=Maybe", "ON"},          {"ByNumber=0", "0"},
        {"ByNumber=1", "1"}, {"ByNumber=7", "0"},     {"ByNumber=1", "1"},       {"ByNumber=x", "0"},
        {"=", "OFF"},        {"ByMenuItemName=ON", "ON"}, {"=off", "OFF"},       {"Foo=ON", "ON"},
        {"ByNumber", "1"},   {"=ON=OFF", "ON"},       {"ByNumber=-1", "0"},
    };
    CListValue value(&m_list);
    for (const Step& s : steps) {
        EXPECT_EQ(value.Execute(s.command), s.answer) << s.command;
    }
}

TEST_F(OffOnListTest, DefaultIndexAndCodes)
{
    CValueList list;
    list.Resize(3);
    EXPECT_EQ(list.GetName(0), "xxxx");
    EXPECT_EQ(list.GetCode(2), 2);
    list.SetDefaultIndex(2);
    EXPECT_EQ(list.Clamp(5), 2);
    EXPECT_EQ(list.Clamp(-1), 2);
    list.SetDefaultIndex(9);
    EXPECT_EQ(list.Clamp(5), 0);
    CListValue value(&list);
    value.SelectCode(3); // a code no entry has selects the default entry
    EXPECT_EQ(value.GetIndex(), 0);
    value.SelectCode(1);
    EXPECT_EQ(value.GetIndex(), 1);
}

TEST(RangeValueCommands, PriorityChannelStyleRange)
{
    CNumberRange range;
    range.SetRange(19, 0);
    range.SetDefault(1);
    for (int i = 0; i < 20; ++i) {
        range.SetName(i, std::to_string(i + 1));
    }
    CRangeValue value(&range);
    struct Step {
        const char* command;
        const char* answer;
    };
    const Step steps[] = {
        {"", "1"},           {"=20", "20"},        {"ByNumber", "19"}, {"ByNumber=25", "1"},
        {"=21", "2"},        {"ByNumber=4", "4"},  {"", "5"},          {"ByNumber=abc", "1"},
        {"=7", "7"},         {"Junk=3", "3"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(value.Execute(s.command), s.answer) << s.command;
    }
    value.SetValue(0xFF);
    EXPECT_EQ(value.Value(), 1);
}

TEST(RangeValueCommands, ValidateFallsBackToMinimumWhenDefaultIsOutside)
{
    CNumberRange range;
    range.SetRange(5, 9);
    EXPECT_EQ(range.GetDefault(), 5);
    range.SetDefault(42);
    EXPECT_EQ(range.Validate(10), 5);
    EXPECT_EQ(range.Validate(7), 7);
}

TEST(TextValueNormalise, RestrictedUpperCaseSet)
{
    struct Case {
        const char* command;
        const char* answer;
    };
    const Case cases[] = {
        {"=tower", "TOWER  "},
        {"=a.b!c", "A B C  "},
        {"=abcdefghij", "ABCDEFG"},
        {"=$%'()*+,-/09<=>?@AZ[\\]^_`", "$%'()*+"},
        {"=<=>?@[\\", "<=>?@[\\"},
        {"=]^_`{|}", "]^_`   "},
        {"=#&.:;\"~", "       "},
    };
    for (const Case& c : cases) {
        CTextValue text;
        text.SetLength(7, 7);
        EXPECT_EQ(text.Execute(c.command), c.answer) << c.command;
    }
    CTextValue text;
    text.SetLength(7, 7);
    text.SetText("\xC4\x80" "b");
    EXPECT_EQ(text.Text(), "  B    ");
}

TEST(TextValueNormalise, AnyCharacterInModeZero)
{
    CTextValue text;
    text.SetLength(7, 7);
    text.SetMode(0);
    EXPECT_EQ(text.Execute("=a.b"), "a.b    ");
    EXPECT_EQ(text.Execute(""), "a.b    ");
    EXPECT_EQ(text.Execute("=hello world"), "hello w");
    text.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(text.Text(), "ab     ");
}

TEST(TextValueNormalise, LengthLimits)
{
    CTextValue text;
    text.SetLength(0, 300);
    EXPECT_EQ(text.GetMinimumLength(), 1);
    EXPECT_EQ(text.GetMaximumLength(), 256);
    EXPECT_EQ(text.Text(), std::string(256, ' '));
    text.SetText("");
    EXPECT_EQ(text.Text(), " ");
    text.SetLength(8, 3);
    text.SetText("ab");
    EXPECT_EQ(text.Text(), "AB ");
}

TEST(FrequencyValueText, ParseAndFormatTable)
{
    struct Case {
        const char* command;
        const char* answer;
        int32_t hertz;
    };
    const Case cases[] = {
        {"=118.000", "118.000", 118000000},
        {"=  121.5", "121.500", 121500000},
        {"=\t121.5", "121.500", 121500000},
        {"=118.0125", "118.012", 118012500},
        {"=118.0083", "118.008", 118008300},
        {"=-5", "0.000", 0},
        {"=3000", "2000.000", 2000000000},
        {"=2500", "2000.000", 2000000000},
        {"=121.5MHz", "121.500", 121500000},
        {"=1e2", "100.000", 100000000},
        {"=+121.5", "121.500", 121500000},
        // Only 15 characters are examined, leading blanks included.
        {"=            121.5", "121.000", 121000000},
        {"=inf", "2000.000", 2000000000},
        {"=-inf", "0.000", 0},
        {"=1e999", "2000.000", 2000000000},
        {"=1e-999", "0.000", 0},
    };
    for (const Case& c : cases) {
        CFrequencyValue frequency;
        EXPECT_EQ(frequency.Execute(c.command), c.answer) << c.command;
        EXPECT_EQ(frequency.Value(), c.hertz) << c.command;
    }
}

TEST(FrequencyValueText, TextThatIsNotANumberKeepsTheValue)
{
    const char* const commands[] = {"=abc", "=.", "=nan", "=-", "=+-1", "=    ", "=\n"};
    for (const char* command : commands) {
        CFrequencyValue frequency;
        frequency.SetValue(121500000);
        EXPECT_EQ(frequency.Execute(command), "121.500") << command;
        EXPECT_EQ(frequency.Execute(std::string("ByNumber") + command), "121500000") << command;
    }
}

TEST(FrequencyValueText, ByNumberIsHertz)
{
    CFrequencyValue frequency;
    EXPECT_EQ(frequency.Execute("ByNumber=118008333"), "118008333");
    EXPECT_EQ(frequency.Execute(""), "118.008");
    EXPECT_EQ(frequency.Execute("ByNumber=-7"), "0");
    EXPECT_EQ(frequency.Execute("ByNumber=99999999999"), "2147483647");
    EXPECT_EQ(frequency.Execute("ByNumber"), "2147483647");
}
