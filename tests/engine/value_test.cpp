#include <gtest/gtest.h>

#include <cmath>

#include "engine/decimal_number.h"

#include "engine/frequency_value.h"
#include "engine/list_value.h"
#include "engine/number_range.h"
#include "engine/parameter_descriptor.h"
#include "engine/range_value.h"
#include "engine/setting_table.h"
#include "engine/text_value.h"
#include "engine/value_list.h"
#include "tests/engine/command_steps.h"

// The value classes as the settings use them: BEEP is a list "OFF", "ON"; PRIOCH numbers 0 to 19
// named "1" to "20" with the default number 1.

TEST(ListAndRangeValue, WordsNamedNumbersAndDefaults)
{
    CSettingTable table;
    ExpectAnswers(*table.Find("BEEP"), {{"", "OFF"}, {"=on", "ON"}, {"=Maybe", "ON"}, {"ByNumber=0", "0"},
        {"bynumber=7", "0"}, {"ByNumber=1", "1"}, {"ByNumber=x", "0"}, {"ByNumber=-1", "0"}, {"=", "OFF"},
        {"ByMenuItemName=ON", "ON"}, {"BYSTRING=OFF", "OFF"}, {"Foo=ON", "ON"}, {"ByNumber", "1"}, {"=OFF=ON", "ON"}});
    CValueList three;
    three.Resize(3);
    EXPECT_EQ(three.GetName(0), "xxxx"); // not named yet, and coded by its index
    EXPECT_EQ(three.GetCode(2), 2);
    three.SetDefaultIndex(9); // a default outside the list gives way to the first entry
    CListValue selection(&three);
    selection.SelectCode(3); // no entry has that code
    EXPECT_EQ(selection.GetIndex(), 0);
    three.SetDefaultIndex(2); // what no code and no number in the list (nor in int) selects
    selection.SelectCode(3);
    EXPECT_EQ(selection.GetIndex(), 2);
    // A text that is no number selects the default as well.
    ExpectAnswers(selection,
                  {{"ByNumber=4294967297", "2"}, {"ByNumber=1", "1"}, {"ByNumber=x", "2"}});
    // Selecting by name tells whether the name was found; a name not found changes nothing.
    EXPECT_TRUE(selection.SelectName("XXXX") && selection.GetIndex() == 0);
    EXPECT_FALSE(selection.SelectName("yyyy") || selection.GetIndex() != 0);
    CParameterDescriptor& number = *table.Find("PRIOCH");
    ExpectAnswers(number, {{"", "1"}, {"=20", "20"}, {"ByNumber", "19"}, {"ByNumber=25", "1"}, {"=21", "2"},
                          {"ByNumber=4", "4"}, {"", "5"}, {"ByNumber=abc", "1"}, {"Junk=3", "3"},
                          {"ByNumber=4294967300", "1"}});
    EXPECT_TRUE(number.GetRangeValue()->SelectName("7") && number.GetRangeValue()->Value() == 6);
    EXPECT_FALSE(number.GetRangeValue()->SelectName("21") || number.GetRangeValue()->Value() != 6);
    number.GetRangeValue()->SetValue(0xFF);
    EXPECT_EQ(number.GetRangeValue()->Value(), 1);
    CNumberRange other;
    other.SetRange(5, 9);
    EXPECT_EQ(other.GetDefault(), 5);
    other.SetDefault(42); // outside the range: the minimum serves
    EXPECT_EQ(other.Validate(10), 5);
    EXPECT_EQ(other.Validate(7), 7);
}

TEST(TextValue, RestrictedSetPaddedAndCut)
{
    CTextValue text;
    text.SetLength(7, 7);
    ExpectAnswers(text, {{"=tower", "TOWER  "}, {"=a.b!c", "A B C  "}, {"=abcdefghij", "ABCDEFG"},
                         {"=$%'()*+", "$%'()*+"}, {"=,-/09AZ", ",-/09AZ"}, {"=<=>?@[\\", "<=>?@[\\"},
                         {"=]^_`{|}", "]^_`   "}, {"=#&.:;\"~", "       "}, {"", "       "},
                         // A command's UTF-8 letter is one character; a stray byte is one too.
                         {"=\xC3\x98rsta", " RSTA  "}, {"=\xC3\x85LESUND", " LESUND"}, {"=\xC3x", " X     "}});
    text.SetText("\xC4\x80" "b");
    EXPECT_EQ(text.Text(), "  B    ");
    text.SetMode(0); // any character, case kept
    // A cut in this mode keeps whole letters: "Ø" is two bytes and does not fit after "abcdef".
    ExpectAnswers(text, {{"=a.b", "a.b    "}, {"", "a.b    "}, {"=hello world", "hello w"},
                         {"=abcdef\xC3\x98", "abcdef "}, {"=abcde\xC3\x98x", "abcde\xC3\x98"},
                         {"=abcdef\xC3", "abcdef\xC3"}, {"=\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", "\xE2\x82\xAC\xE2\x82\xAC "}});
    text.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(text.Text(), "ab     ");
    text.SetLength(0, 300);
    EXPECT_EQ(text.GetMinimumLength(), 1);
    EXPECT_EQ(text.GetMaximumLength(), 256);
    EXPECT_EQ(text.Text(), std::string(256, ' '));
    text.SetText("");
    EXPECT_EQ(text.Text(), " ");
}

// The number at the start of a text, as the standard library's from_chars reads it, whatever
// the locale: where it ends, and the double it gives to the last bit.
TEST(DecimalNumber, ReadsWhatFromCharsReads)
{
    const double inf = HUGE_VAL;
    const struct { const char* text; EDecimalRead outcome; size_t end; double value; } cases[] = {
        {"121.5", EDecimalRead::kNumber, 5, 121.5},      {"118.0083", EDecimalRead::kNumber, 8, 118.0083},
        {"121,5", EDecimalRead::kNumber, 3, 121},        {".5", EDecimalRead::kNumber, 2, 0.5},
        {"5.", EDecimalRead::kNumber, 2, 5},             {"-.25x", EDecimalRead::kNumber, 4, -0.25},
        {"1e", EDecimalRead::kNumber, 1, 1},             {"1E+", EDecimalRead::kNumber, 1, 1},
        {"12e-1", EDecimalRead::kNumber, 5, 1.2},        {"0x1A", EDecimalRead::kNumber, 1, 0},
        {"000121.50000", EDecimalRead::kNumber, 12, 121.5},
        {"0.000000000000000000000000000001e30", EDecimalRead::kNumber, 35, 1},
        {"121.500000000000000000001", EDecimalRead::kNumber, 25, 121.5},
        {"9007199254740993", EDecimalRead::kNumber, 16, 9007199254740992.0},
        {"0e999", EDecimalRead::kNumber, 5, 0},          {"INFINITY", EDecimalRead::kNumber, 8, inf},
        {"-infin", EDecimalRead::kNumber, 4, -inf},      {"nan(a_1)", EDecimalRead::kNumber, 8, 0},
        {"nan(", EDecimalRead::kNumber, 3, 0},           {"1e400", EDecimalRead::kOutOfRange, 5, 0},
        {"-1e-400", EDecimalRead::kOutOfRange, 7, 0},    {"+1", EDecimalRead::kNoNumber, 0, 0},
        {"-", EDecimalRead::kNoNumber, 0, 0},            {".e5", EDecimalRead::kNoNumber, 0, 0},
        {" 1", EDecimalRead::kNoNumber, 0, 0},           {"", EDecimalRead::kNoNumber, 0, 0},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        double value = -7;
        const CDecimalRead read = ReadDecimalNumber(text.data(), text.data() + text.size(), value);
        EXPECT_TRUE(read.outcome == c.outcome && read.end == text.data() + c.end) << c.text;
        if (c.outcome != EDecimalRead::kNumber)
            EXPECT_EQ(value, -7) << c.text; // left as it was
        else if (text.find("nan") != std::string::npos)
            EXPECT_TRUE(std::isnan(value)) << c.text;
        else
            EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(FrequencyValue, MegahertzTextAndHertz)
{
    const struct { const char* command; const char* answer; int32_t hertz; } cases[] = {
        {"=118.000", "118.000", 118000000}, {"=  121.5", "121.500", 121500000}, {"=\t121.5", "121.500", 121500000},
        {"=118.0125", "118.012", 118012500}, {"=118.0083", "118.008", 118008300}, {"=-5", "0.000", 0},
        {"=2500", "2000.000", 2000000000}, {"=121.5MHz", "121.500", 121500000}, {"=1e2", "100.000", 100000000},
        {"=+121.5", "121.500", 121500000}, {"=inf", "2000.000", 2000000000}, {"=-inf", "0.000", 0},
        {"=1e999", "2000.000", 2000000000}, {"=1e-999", "0.000", 0},
        {"=            121.5", "121.000", 121000000}, // only 15 characters are examined, blanks included
        {"=abc", "121.500", 121500000}, {"=.", "121.500", 121500000}, {"=nan", "121.500", 121500000}, // not a number:
        {"=-", "121.500", 121500000}, {"=+-1", "121.500", 121500000}, {"=    ", "121.500", 121500000}, // unchanged
        {"=\n", "121.500", 121500000}, {"ByNumber=abc", "121500000", 121500000}, {"ByNumber=-", "121500000", 121500000},
    };
    for (const auto& c : cases) {
        CFrequencyValue frequency;
        frequency.SetValue(121500000);
        EXPECT_EQ(frequency.Execute(c.command), c.answer) << c.command;
        EXPECT_EQ(frequency.Value(), c.hertz) << c.command;
    }
    CFrequencyValue frequency;
    ExpectAnswers(frequency, {{"ByNumber=118008333", "118008333"}, {"", "118.008"}, {"ByNumber=-7", "0"},
                              {"ByNumber=99999999999", "2147483647"}, {"ByNumber", "2147483647"}});
}
