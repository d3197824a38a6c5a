// The differences between two data sets in words, as Compare with Transceiver shows them.
#include "exchange/data_differences.h"

#include <gtest/gtest.h>

#include <string>

#include "res/string_table.h"

// Compare with Transceiver shows the differences in words; the tool keeps the engine's keys.
TEST(DataDifferences, AreDescribedInWords)
{
    const struct { CDataDifference raw; const char* words; } cases[] = {
        {{"CH.MCH.2.NAME", "EDIT   ", ""}, "CH 02 Name|EDIT|(blank)"},
        {{"CH.MCH.2.FREQUENCY", "121.500", "0.000"}, "CH 02 Frequency|121.500|blank"},
        {{"CH.MCH.12.APPEAR", "ON", "OFF"}, "CH 12|in use|blank"},
        {{"CH.MCH.3.CHLOCKOUT", "ON", "OFF"}, "CH 03 Memory Lockout|On|Off"},
        {{"COMMON.BEEP", "ON", "OFF"}, "Operation Beep|On|Off"},
        {{"COMMON.VFOTX_INHIBIT", "ENABLE", "DISABLE"}, "VFO Tx Inhibit|Enable|Disable"},
        {{"COMMON.CH_SPACING", "25kHz", "8.33kHz"}, "Channel Spacing|25kHz|8.33kHz"},
        {{"COMMON.PRIOCH", "OFF", "8"}, "Priority CH|Off|8"},
        {{"COMMON.CLONE_COMMENT", "FIELD 7 ", "A\x01"}, "Clone Comment|FIELD 7|\"A\\x01\""},
    };
    for (const auto& c : cases) {
        const CDataDifference d = DescribeDifference(c.raw);
        EXPECT_EQ(d.key + "|" + d.left + "|" + d.right, c.words);
    }
}

// The values are the reader's words, as the settings sheet shows them; numbers and stored texts
// are not translated.
TEST(DataDifferences, ValuesAreInTheReadersLanguage)
{
    SetResTranslator([](const char* english) { return "<" + std::string(english) + ">"; });
    const struct { CDataDifference raw; const char* values; } cases[] = {
        {{"CH.MCH.3.TXINHIBIT", "ON", "OFF"}, "<On>|<Off>"},
        {{"COMMON.ADJ_ENABLE", "ENABLE", "DISABLE"}, "<Enable>|<Disable>"},
        {{"COMMON.LCD_DIMMER", "LOW", "HIGH"}, "<Low>|<High>"},
        {{"COMMON.INDICATEMODE", "FREQ", "TEXT"}, "<Freq>|<Text>"},
        {{"COMMON.SCAN_MODE", "NORMAL", "PRIO"}, "<Normal>|<Prio>"},
        {{"COMMON.CH_SPACING", "25k/8.33kHz", "8.33kHz"}, "<25k/8.33kHz>|<8.33kHz>"},
        {{"COMMON.PRIOCH", "12", "OFF"}, "12|<Off>"},
        {{"COMMON.OPENING_TEXT", "ON", "OFF"}, "ON|OFF"},
        {{"CH.MCH.4.NAME", "ON     ", "TEXT   "}, "ON|TEXT"},
    };
    for (const auto& c : cases) {
        const CDataDifference d = DescribeDifference(c.raw);
        EXPECT_EQ(d.left + "|" + d.right, c.values) << c.raw.key;
    }
    SetResTranslator(nullptr);
}
