#include "engine/setting_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/parameter_descriptor.h"
#include "engine/value_list.h"

namespace {

struct LayoutRow {
    const char* key;
    int kind;
    int address;
    int firstBit;
    int width;
    std::vector<const char*> words;
    const char* defaultAnswer; // the answer after decoding the default image
};

const std::vector<LayoutRow>& Layout()
{
    static const std::vector<LayoutRow> rows = {
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
    return rows;
}

class SettingTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image.LoadDefault();
        m_table.Sync(m_image);
    }
    std::string Run(const char* command) { return m_table.Execute(std::string(command)); }
    void Encode() { m_table.SyncAll(1, m_image); }

    CCloneImage m_image;
    CSettingTable m_table;
};

} // namespace

TEST_F(SettingTableTest, LayoutMatchesTheTableInOrder)
{
    const auto& rows = Layout();
    ASSERT_EQ(m_table.GetCount(), static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const LayoutRow& row = rows[i];
        const CParameterDescriptor& d = m_table.GetDescriptor(static_cast<int>(i));
        EXPECT_EQ(d.Name(), row.key);
        EXPECT_EQ(d.GetKind(), row.kind) << row.key;
        EXPECT_EQ(d.GetAddress(), row.address) << row.key;
        EXPECT_EQ(d.GetFirstBit(), row.firstBit) << row.key;
        EXPECT_EQ(d.GetWidth(), row.width) << row.key;
        if (row.kind == 1) {
            CParameterDescriptor& md = const_cast<CParameterDescriptor&>(d);
            ASSERT_EQ(md.GetValueList()->GetCount(), static_cast<int>(row.words.size())) << row.key;
            for (size_t w = 0; w < row.words.size(); ++w) {
                EXPECT_EQ(md.GetValueList()->GetName(static_cast<int>(w)), row.words[w]) << row.key;
                EXPECT_EQ(md.GetValueList()->GetCode(static_cast<int>(w)), w) << row.key;
            }
        }
    }
}

TEST_F(SettingTableTest, DefaultImageAnswers)
{
    for (const LayoutRow& row : Layout()) {
        EXPECT_EQ(m_table.Execute("COMMON." + std::string(row.key)), row.defaultAnswer) << row.key;
    }
}

TEST_F(SettingTableTest, EveryWordEncodesItsCodeAtItsBits)
{
    for (const LayoutRow& row : Layout()) {
        for (size_t code = 0; code < row.words.size(); ++code) {
            m_image.LoadDefault();
            const uint8_t before = m_image.ReadByte(static_cast<uint32_t>(row.address));
            EXPECT_EQ(m_table.Execute("COMMON." + std::string(row.key) + "=" + row.words[code]), row.words[code]);
            Encode();
            EXPECT_EQ(m_image.ReadBits(static_cast<uint32_t>(row.address), row.firstBit, row.width), code) << row.key;
            // Bits outside the field stay as they were.
            const uint8_t mask = static_cast<uint8_t>(((1u << row.width) - 1) << (row.firstBit + 1 - row.width));
            EXPECT_EQ(m_image.ReadByte(static_cast<uint32_t>(row.address)) & ~mask & 0xFF, before & ~mask & 0xFF)
                << row.key;
        }
        // Put the default back for the next row.
        m_image.LoadDefault();
        m_table.SyncAll(0, m_image);
    }
}

TEST_F(SettingTableTest, UnknownCodeDecodesAsFirstWordAndIsWrittenBack)
{
    m_image.WriteByte(0x30, 0x60);
    m_table.SyncAll(0, m_image);
    EXPECT_EQ(Run("COMMON.CH_SPACING"), "25kHz");
    Encode();
    EXPECT_EQ(m_image.ReadByte(0x30) & 0x60, 0);

    m_image.WriteByte(0x40, 0xFF);
    m_table.SyncAll(0, m_image);
    EXPECT_EQ(Run("COMMON.PRIOCH"), "2");
    Encode();
    EXPECT_EQ(m_image.ReadByte(0x40), 1);
}

TEST_F(SettingTableTest, EncodingsOfChosenValues)
{
    Run("COMMON.CH_SPACING=25k/8.33kHz");
    Run("COMMON.SCAN_PRIO=ON");
    Run("COMMON.PRIOCH=20");
    Run("COMMON.OPENING_TEXT=abc");
    Run("COMMON.CLONE_COMMENT=0123456789abcdefghij");
    Encode();
    EXPECT_EQ(m_image.ReadByte(0x30), 0x40);
    EXPECT_EQ(m_image.ReadByte(0x31), 0x79);
    EXPECT_EQ(m_image.ReadByte(0x40), 0x13);
    uint8_t text[16];
    ASSERT_TRUE(m_image.ReadBlock(0x38, text, 7));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 7), "abc    ");
    ASSERT_TRUE(m_image.ReadBlock(0x10, text, 16));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 16), "0123456789abcdef");
}

TEST_F(SettingTableTest, SyncDecodesFirstThenEncodes)
{
    CSettingTable table;
    CCloneImage image;
    image.LoadDefault();
    EXPECT_EQ(table.IsLoaded(), 0);
    table.Sync(image); // decodes
    EXPECT_EQ(table.Execute(std::string("COMMON.BEEP")), "ON");
    table.Execute(std::string("COMMON.BEEP=OFF"));
    table.Sync(image); // encodes
    EXPECT_EQ(image.GetBit(0x31, 6), 0);
    image.SetBit(0x31, 6, 1);
    table.ResetLoaded();
    table.Sync(image); // decodes again
    EXPECT_EQ(table.Execute(std::string("COMMON.BEEP")), "ON");
}

TEST_F(SettingTableTest, CommonCommandTable)
{
    struct Step {
        const char* command;
        const char* answer;
    };
    const Step steps[] = {
        {"COMMON.BEEP", "ON"},
        {"common.beep=off", "OFF"},
        {"COMMON.BEEP=MAYBE", "OFF"},
        {"COMMON.BEEP=ON=OFF", "ON"},
        {"COMMON.BEEP=", "ON"},
        {"COMMON.BEEP.Whatever=OFF", "OFF"},
        {"COMMON.BEEP.ByNumber.Extra=1", "1"},
        {"COMMON.BEEP", "ON"},
        {"COMMON.PRIOCH=5", "5"},
        {"COMMON.PRIOCH.ByNumber", "4"},
        {"COMMON.PRIOCH.ByNumber=4", "4"},
        {"COMMON.PRIOCH", "5"},
        {"COMMON.PRIOCH=21", "5"},
        {"COMMON.PRIOCH.ByNumber=20", "1"},
        {"COMMON.PRIOCH", "2"},
        {"COMMON.CH_SPACING.ByNumber", "0"},
        {"COMMON.CH_SPACING=25K/8.33KHZ", "25k/8.33kHz"},
        {"COMMON.CH_SPACING.BYNUMBER", "2"},
        {"COMMON.CH_SPACING.ByNumber=9", "0"},
        {"COMMON.OPENING_TEXT=hello world", "hello w"},
        {"COMMON.CLONE_COMMENT= ", "                "},
        {"COMMON.CLONE_COMMENT.ByNumber=x", "x               "},
        {"COMMON.NOSUCH", ""},
        {"COMMON", ""},
        {"COMMONS.BEEP", ""},
        {"BEEP", ""},
        {"", ""},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(Run(s.command), s.answer) << s.command;
    }
}
