#include "engine/setting_table.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "engine/clone_image.h"
#include "engine/parameter_descriptor.h"
#include "tests/engine/command_steps.h"

// The words in code order: none for the number and the texts.
struct Setting { const char* key; int kind; uint32_t address; int firstBit, width;
                 std::vector<const char*> words; const char* defaultAnswer; };

const Setting kSettings[] = {
    {"ADJ_ENABLE", 1, 0x30, 7, 1, {"DISABLE", "ENABLE"}, "DISABLE"},
    {"CH_SPACING", 1, 0x30, 6, 2, {"25kHz", "8.33kHz", "25k/8.33kHz"}, "25kHz"},
    {"VFOMODE_ENABLE", 1, 0x30, 4, 1, {"DISABLE", "ENABLE"}, "DISABLE"},
    {"VFOTX_INHIBIT", 1, 0x53, 7, 1, {"DISABLE", "ENABLE"}, "ENABLE"},
    {"MRWRITE_ENABLE", 1, 0x30, 3, 1, {"DISABLE", "ENABLE"}, "DISABLE"},
    {"INDICATEMODE", 1, 0x31, 7, 1, {"FREQ", "TEXT"}, "FREQ"},
    {"BEEP", 1, 0x31, 6, 1, {"OFF", "ON"}, "ON"},
    {"BEEP_UDKEY", 1, 0x31, 5, 1, {"OFF", "ON"}, "ON"},
    {"SIDETONE", 1, 0x31, 4, 1, {"OFF", "ON"}, "ON"},
    {"SCAN_FUNCTION", 1, 0x31, 3, 1, {"OFF", "ON"}, "ON"},
    {"SCAN_MODE", 1, 0x31, 2, 1, {"NORMAL", "PRIO"}, "NORMAL"},
    {"SCAN_HANGER", 1, 0x31, 1, 1, {"OFF", "ON"}, "OFF"},
    {"SCAN_PRIO", 1, 0x31, 0, 1, {"OFF", "ON"}, "OFF"},
    {"LCD_BACKLIGHT", 1, 0x32, 7, 1, {"OFF", "ON"}, "ON"},
    {"LCD_DIMMER", 1, 0x32, 6, 1, {"LOW", "HIGH"}, "HIGH"},
    {"PRIOCH", 2, 0x40, 7, 8, {}, "1"},
    {"OPENING_TEXT", 3, 0x38, 7, 56, {}, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"},
    {"CLONE_COMMENT", 3, 0x10, 7, 128, {}, "                "},
};

class SettingTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image.LoadDefault();
        m_table.Sync(m_image); // the first sync decodes
    }

    CCloneImage m_image;
    CSettingTable m_table;
};

TEST_F(SettingTableTest, LayoutDefaultsTheBitsOfEveryWordAndCommonCommands)
{
    EXPECT_EQ(m_table.IsLoaded(), 1);
    ASSERT_EQ(m_table.GetCount(), static_cast<int>(std::size(kSettings)));
    for (int i = 0; i < m_table.GetCount(); ++i) {
        const Setting& s = kSettings[i];
        const CParameterDescriptor& d = m_table.GetDescriptor(i);
        EXPECT_EQ(std::make_tuple(d.Name(), d.GetKind(), d.GetAddress(), d.GetFirstBit(), d.GetWidth()),
                  std::make_tuple(std::string(s.key), s.kind, static_cast<int>(s.address), s.firstBit, s.width));
        const std::string key = "COMMON." + std::string(s.key);
        EXPECT_EQ(m_table.Execute(key), s.defaultAnswer) << key;
        for (size_t code = 0; code < s.words.size(); ++code) {
            const uint8_t before = m_image.ReadByte(s.address);
            EXPECT_EQ(m_table.Execute(key + "=" + s.words[code]), s.words[code]);
            m_table.SyncAll(1, m_image);
            EXPECT_EQ(m_image.ReadBits(s.address, s.firstBit, s.width), code) << key;
            const unsigned mask = ((1u << s.width) - 1) << (s.firstBit + 1 - s.width);
            EXPECT_EQ(m_image.ReadByte(s.address) & ~mask & 0xFF, before & ~mask & 0xFF) << key; // the rest is kept
        }
        m_image.LoadDefault();
        m_table.SyncAll(0, m_image);
    }
    ExpectAnswers(m_table, {{"common.beep=off", "OFF"}, {"COMMON.BEEP=ON=OFF", "ON"}, {"COMMON.BEEP=", "ON"},
                            {"COMMON.BEEP.Whatever=OFF", "OFF"}, {"COMMON.BEEP.ByNumber.Extra=1", "1"},
                            {"COMMON.CH_SPACING=25K/8.33KHZ", "25k/8.33kHz"}, {"COMMON.CH_SPACING.BYNUMBER", "2"},
                            {"COMMON.CLONE_COMMENT= ", "                "}, {"COMMON.NOSUCH", ""}, {"COMMON", ""},
                            {"COMMONS.BEEP", ""}, {"BEEP", ""}, {"", ""}});
}
