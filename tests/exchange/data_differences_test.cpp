// The differences between two data sets in words, as Compare with Transceiver shows them.
#include "exchange/data_differences.h"

#include <gtest/gtest.h>

#include <string>

#include "res/string_table.h"

// Compare with Transceiver shows the differences in words, and the values in the reader's
// language as the settings sheet shows them; numbers and stored texts are not translated. The
// tool keeps the engine's keys.
TEST(DataDifferences, AreDescribedInTheReadersWords)
{
    const struct { CDataDifference raw; const char* words; const char* translated; } cases[] = {
        {{"CH.MCH.2.NAME", "EDIT   ", ""}, "CH 02 Name|EDIT|(blank)", "EDIT|<(blank)>"},
        {{"CH.MCH.2.FREQUENCY", "121.500", "0.000"}, "CH 02 Frequency|121.500|blank", "121.500|<blank>"},
        {{"CH.MCH.12.APPEAR", "ON", "OFF"}, "CH 12|in use|blank", "<in use>|<blank>"},
        {{"CH.MCH.3.CHLOCKOUT", "ON", "OFF"}, "CH 03 Memory Lockout|On|Off", "<On>|<Off>"},
        {{"COMMON.BEEP", "ON", "OFF"}, "Operation Beep|On|Off", "<On>|<Off>"},
        {{"COMMON.VFOTX_INHIBIT", "ENABLE", "DISABLE"}, "VFO Tx Inhibit|Enable|Disable", "<Enable>|<Disable>"},
        {{"COMMON.LCD_DIMMER", "LOW", "HIGH"}, "LCD Dimmer|Low|High", "<Low>|<High>"},
        {{"COMMON.INDICATEMODE", "FREQ", "TEXT"}, "Indication Mode|Freq|Text", "<Freq>|<Text>"},
        {{"COMMON.SCAN_MODE", "NORMAL", "PRIO"}, "Scan Mode|Normal|Prio", "<Normal>|<Prio>"},
        {{"COMMON.CH_SPACING", "25k/8.33kHz", "8.33kHz"}, "Channel Spacing|25k/8.33kHz|8.33kHz",
         "<25k/8.33kHz>|<8.33kHz>"},
        {{"COMMON.PRIOCH", "OFF", "8"}, "Priority CH|Off|8", "<Off>|8"},
        {{"COMMON.OPENING_TEXT", "ON", "OFF"}, "Opening Text|ON|OFF", "ON|OFF"},
        {{"COMMON.CLONE_COMMENT", "FIELD 7 ", "A\x01"}, "Clone Comment|FIELD 7|\"A\\x01\"",
         "FIELD 7|\"A\\x01\""},
        {{"CH.MCH.4.NAME", "ON     ", "TEXT   "}, "CH 04 Name|ON|TEXT", "ON|TEXT"},
    };
    for (const auto& c : cases) {
        const CDataDifference d = DescribeDifference(c.raw);
        EXPECT_EQ(d.key + "|" + d.left + "|" + d.right, c.words);
    }
    SetResTranslator([](const char* english) { return "<" + std::string(english) + ">"; });
    for (const auto& c : cases) {
        const CDataDifference d = DescribeDifference(c.raw);
        EXPECT_EQ(d.left + "|" + d.right, c.translated) << c.raw.key;
    }
    SetResTranslator(nullptr);
}
