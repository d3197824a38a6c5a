#include "engine/memory_channel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/channel_id.h"
#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/frequency_band.h"
#include "engine/setting_table.h"
#include "engine/value_list.h"

namespace {

class MemoryChannelTest : public ::testing::Test {
protected:
    MemoryChannelTest()
    {
        Fill(m_appear, 1, 0);
        Fill(m_lockout, 0, 1);
        Fill(m_tx, 0, 1);
        m_lists = {&m_appear, &m_lockout, &m_tx};
        m_band.SetSettingTable(&m_settings);
        m_band.Reset();
        m_image.LoadDefault();
    }

    static void Fill(CValueList& list, uint16_t off, uint16_t on)
    {
        list.Resize(2);
        list.SetName(0, "OFF");
        list.SetCode(0, off);
        list.SetName(1, "ON");
        list.SetCode(1, on);
    }

    std::unique_ptr<CMemoryChannel> Channel(int kind, int index)
    {
        return std::unique_ptr<CMemoryChannel>(new CMemoryChannel(&m_band, CChannelId(kind, index), m_lists));
    }

    CValueList m_appear, m_lockout, m_tx;
    ChannelLists m_lists;
    CSettingTable m_settings;
    CFrequencyBand m_band;
    CCloneImage m_image;
};

} // namespace

TEST(ChannelIdTest, NextVisitsEveryChannelOnce)
{
    CChannelId id;
    id.Next();
    EXPECT_EQ(id.GetKind(), CChannelId::kVfo);
    EXPECT_EQ(id.GetStorePosition(), 0);
    EXPECT_FALSE(id.IsMovable());
    for (int n = 1; n <= 20; ++n) {
        id.Next();
        EXPECT_EQ(id.GetKind(), CChannelId::kMch);
        EXPECT_EQ(id.GetStorePosition(), n);
        EXPECT_EQ(id.IsMovable(), n != 1);
    }
    id.Next();
    EXPECT_TRUE(id.IsNone());
    EXPECT_EQ(CChannelId(7, 0).GetKind(), CChannelId::kVfo);
}

TEST(ChannelIdTest, ParseTable)
{
    struct Case {
        const char* command;
        int kind;
        int position;
        const char* rest;
    };
    const Case cases[] = {
        {"CH.MCH.3.NAME", 2, 3, "NAME"},
        {"ch.mch.20.paste.check", 2, 20, "paste.check"},
        {"CH.VFO.1.ALL=x", 1, 0, "ALL=x"},
        {"CH.VFO.2.NAME", 0, -1, "NAME"},
        {"CH.MCH.0.NAME", 0, -1, "NAME"},
        {"CH.MCH.21.NAME", 0, -1, "NAME"},
        {"CH.MCH.x.NAME", 0, -1, "NAME"},
        {"CH.MCH. 4.NAME", 2, 4, "NAME"},
        {"CH.XYZ.1.NAME", 0, -1, "CH.XYZ.1.NAME"},
        {"CH.NONE.1.NAME", 0, -1, "CH.NONE.1.NAME"},
        {"COMMON.BEEP", 0, -1, "COMMON.BEEP"},
        {"CH.MCH.3", 2, 3, ""},
    };
    for (const Case& c : cases) {
        CCommandString command(c.command);
        CChannelId id;
        id.Parse(command);
        EXPECT_EQ(id.GetKind(), c.kind) << c.command;
        EXPECT_EQ(id.GetStorePosition(), c.position) << c.command;
        EXPECT_EQ(command.GetText(), c.rest) << c.command;
    }
}

TEST_F(MemoryChannelTest, RecordDecodeTable)
{
    struct Case {
        uint8_t record[8]; // frequency bytes, flags, unused, first three name characters
        const char* all;
        int32_t hertz;
    };
    const Case cases[] = {
        {{0x12, 0x15, 0x00, 0xC0, 0x00, 'T', 'W', 'R'},
         "APPEAR=ON\tFREQUENCY=121.500\tNAME=TWR    \tTXINHIBIT=ON\tCHLOCKOUT=ON", 121500000},
        {{0x11, 0x80, 0x12, 0x00, 0x00, 'a', 0xFF, '.'},
         "APPEAR=ON\tFREQUENCY=118.012\tNAME=A      \tTXINHIBIT=OFF\tCHLOCKOUT=OFF", 118012500},
        {{0x11, 0x80, 0x01, 0x40, 0x00, 0, 'X', 'Y'},
         "APPEAR=ON\tFREQUENCY=118.005\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=ON", 118005000},
        {{0xFF, 0x12, 0x34, 0x80, 0x00, ' ', ' ', ' '},
         "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF", 0},
        {{0x13, 0x69, 0x75, 0x20, 0x00, 'O', 'P', 'S'},
         "APPEAR=ON\tFREQUENCY=136.975\tNAME=OPS    \tTXINHIBIT=OFF\tCHLOCKOUT=OFF", 136975000},
    };
    for (const Case& c : cases) {
        auto channel = Channel(CChannelId::kMch, 2);
        m_image.LoadDefault();
        m_image.WriteBlock(0x80, c.record, 8);
        channel->Sync(0, m_image);
        EXPECT_EQ(channel->IsLoaded(), 1);
        EXPECT_EQ(channel->GetFrequency(), c.hertz);
        EXPECT_EQ(channel->Execute("ALL"), c.all);
    }
}

TEST_F(MemoryChannelTest, RecordEncodeTable)
{
    struct Case {
        const char* frequency;
        const char* name;
        const char* tx;
        const char* lockout;
        uint8_t record[12];
    };
    const Case cases[] = {
        {"136.975", "OPS", "OFF", "OFF", {0x13, 0x69, 0x75, 0x20, 0, 'O', 'P', 'S', ' ', ' ', ' ', ' '}},
        {"121.5", "tower", "ON", "ON", {0x12, 0x15, 0x00, 0xE0, 0, 'T', 'O', 'W', 'E', 'R', ' ', ' '}},
        {"118.0125", " ", "OFF", "ON", {0x11, 0x80, 0x12, 0x40, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '}},
    };
    for (const Case& c : cases) {
        auto channel = Channel(CChannelId::kMch, 2);
        m_image.LoadDefault();
        m_image.WriteByte(0x83, 0x3F); // channel bits 4-0 are not the channel's
        channel->Execute(std::string("FREQUENCY=") + c.frequency);
        channel->Execute("APPEAR=ON");
        channel->Execute(std::string("NAME=") + c.name);
        channel->Execute(std::string("TXINHIBIT=") + c.tx);
        channel->Execute(std::string("CHLOCKOUT=") + c.lockout);
        channel->Sync(1, m_image);
        uint8_t record[12];
        ASSERT_TRUE(m_image.ReadBlock(0x80, record, 12));
        record[3] = static_cast<uint8_t>(record[3] & 0xE0);
        EXPECT_EQ(std::memcmp(record, c.record, 12), 0) << c.frequency;
        EXPECT_EQ(m_image.ReadByte(0x83) & 0x1F, 0x1F) << c.frequency;
    }
}

TEST_F(MemoryChannelTest, BlankChannelDoesNotWriteItsFrequency)
{
    auto channel = Channel(CChannelId::kMch, 1);
    m_image.WriteByte(0x70, 0x12);
    m_image.WriteByte(0x71, 0x34);
    channel->Sync(1, m_image);
    EXPECT_EQ(m_image.ReadByte(0x70), 0x12);
    EXPECT_EQ(m_image.ReadByte(0x71), 0x34);
    EXPECT_EQ(m_image.GetBit(0x73, 5), 0);
}

TEST_F(MemoryChannelTest, FieldCommands)
{
    auto channel = Channel(CChannelId::kMch, 2);
    struct Step {
        const char* command;
        const char* answer;
    };
    const Step steps[] = {
        {"frequency=121.5", "121.500"},
        {"FREQUENCY.ByNumber", "121500000"},
        {"APPEAR", "OFF"}, // a blank channel loses a frequency set without APPEAR=ON
        {"FREQUENCY", "0.000"},
        {"FREQUENCY=121.5", "121.500"},
        {"APPEAR=ON", "ON"},
        {"FREQUENCY", "121.500"},
        {"APPEAR.ByNumber", "1"},
        {"NAME=tower", "TOWER  "},
        {"NAME=a.b", "A B    "},
        {"NAME=x=y", "X=Y    "},
        {"TXINHIBIT=on", "ON"},
        {"TXINHIBIT=maybe", "ON"},
        {"CHLOCKOUT.ByNumber=1", "1"},
        {"CHLOCKOUT", "ON"},
        {"NOSUCH=1", ""},
        {"", ""},
        {".ByNumber", ""},
        {"APPEAR=OFF", "OFF"},
        {"FREQUENCY", "0.000"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(channel->Execute(s.command), s.answer) << s.command;
    }
}

TEST_F(MemoryChannelTest, AllAnswersAndSetsUpToTheFirstEmptyItem)
{
    auto channel = Channel(CChannelId::kMch, 2);
    EXPECT_EQ(channel->Execute("ALL"),
              "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF");
    EXPECT_EQ(channel->Execute("ALL=APPEAR=ON\tFREQUENCY=121.5\t\tNAME=X"),
              "APPEAR=ON\tFREQUENCY=121.500\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF");
    EXPECT_EQ(channel->Execute("all=NAME=A=B\tTXINHIBIT=ON"),
              "APPEAR=ON\tFREQUENCY=121.500\tNAME=A=B    \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    // Nested ALL commands are bounded, not recursed without end.
    std::string nested;
    for (int i = 0; i < 100000; ++i) {
        nested += "ALL=";
    }
    EXPECT_EQ(channel->Execute(nested + "NAME=Z").substr(0, 9), "APPEAR=ON");
}

TEST_F(MemoryChannelTest, HealBlanksMovableAndKeepsFirstChannelsInUse)
{
    auto movable = Channel(CChannelId::kMch, 4);
    movable->Execute("NAME=abc");
    movable->Execute("TXINHIBIT=ON");
    movable->Heal(0);
    EXPECT_EQ(movable->Execute("ALL"),
              "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF");

    auto first = Channel(CChannelId::kMch, 0);
    first->Execute("NAME=abc");
    first->Heal(0);
    EXPECT_EQ(first->Execute("APPEAR"), "ON");
    EXPECT_EQ(first->Execute("NAME"), "ABC    ");

    auto vfo = Channel(CChannelId::kVfo, 0);
    vfo->Execute("FREQUENCY=150");
    vfo->Heal(0);
    EXPECT_EQ(vfo->Execute("FREQUENCY"), "136.975");
}

TEST_F(MemoryChannelTest, SafetyHealDropsTheLoadedFlagOutsideTheBand)
{
    auto channel = Channel(CChannelId::kMch, 0);
    channel->Sync(0, m_image);
    channel->Execute("APPEAR=OFF"); // channel 1 cannot be blank: heal turns it on, at 0 Hz
    channel->Heal(1);
    EXPECT_EQ(channel->IsLoaded(), 0);

    auto inBand = Channel(CChannelId::kMch, 3);
    inBand->Sync(0, m_image);
    inBand->Execute("FREQUENCY=120");
    inBand->Execute("APPEAR=ON");
    inBand->Heal(1);
    EXPECT_EQ(inBand->IsLoaded(), 1);
}

TEST_F(MemoryChannelTest, HealSnapsToTheSpacingGrid)
{
    auto channel = Channel(CChannelId::kMch, 2);
    m_settings.Execute(std::string("COMMON.CH_SPACING=8.33kHz"));
    channel->Execute("FREQUENCY=118.000");
    channel->Execute("APPEAR=ON");
    channel->Heal(0);
    EXPECT_EQ(channel->Execute("FREQUENCY"), "118.005");
}

TEST_F(MemoryChannelTest, CopyFromKeepsIdentityAndHeals)
{
    auto source = Channel(CChannelId::kMch, 0);
    source->Execute("FREQUENCY=125.02");
    source->Execute("APPEAR=ON");
    source->Execute("NAME=src");
    source->Execute("CHLOCKOUT=ON");
    auto target = Channel(CChannelId::kMch, 6);
    target->Sync(0, m_image);
    target->CopyFrom(*source);
    EXPECT_EQ(target->GetId().GetStorePosition(), 7);
    EXPECT_EQ(target->IsLoaded(), 1);
    EXPECT_EQ(target->Execute("ALL"),
              "APPEAR=ON\tFREQUENCY=125.025\tNAME=SRC    \tTXINHIBIT=OFF\tCHLOCKOUT=ON");
    EXPECT_EQ(target->GetRecordAddress(), 0xC0u);
}
