#include "engine/memory_channel.h"

#include <gtest/gtest.h>

#include "engine/channel_clipboard.h"
#include "engine/channel_store.h"
#include "engine/clone_image.h"
#include "engine/frequency_band.h"
#include "tests/engine/command_steps.h"

// Channels as the engine builds them (the store's shared word lists), outside an engine, on the 25 kHz grid.
class MemoryChannelTest : public ::testing::Test {
protected:
    MemoryChannelTest() { m_band.Reset(); }
    CMemoryChannel& Channel(int position) { return m_store.GetChannelAt(position); }

    CFrequencyBand m_band;
    CChannelClipboard m_clipboard;
    CChannelStore m_store{&m_band, &m_clipboard};
    CCloneImage m_image;
};

TEST_F(MemoryChannelTest, RecordDecodingAndEncoding)
{
    // The stored frequency, flags, unused byte and first three name characters decode to the frequency
    // and the fields, which encode onto the default image (its flag bits 4-0 set here) as the record given.
    const struct { uint8_t stored[8]; int32_t hertz; const char* record; const char* all; } cases[] = {
        {{0x12, 0x15, 0x00, 0xC0, 0, 'T', 'W', 'R'}, 121500000, "121500FF00" "54575220202020",
         "APPEAR=ON\tFREQUENCY=121.500\tNAME=TWR    \tTXINHIBIT=ON\tCHLOCKOUT=ON"},
        {{0x11, 0x80, 0x12, 0x00, 0, 'a', 0xFF, '.'}, 118012500, "1180123F00" "41202020202020",
         "APPEAR=ON\tFREQUENCY=118.012\tNAME=A      \tTXINHIBIT=OFF\tCHLOCKOUT=OFF"},
        {{0x11, 0x80, 0x01, 0x40, 0, 0, 'X', 'Y'}, 118005000, "1180055F00" "20202020202020",
         "APPEAR=ON\tFREQUENCY=118.005\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=ON"},
        {{0x13, 0x69, 0x75, 0x20, 0, 'O', 'P', 'S'}, 136975000, "1369753F00" "4F505320202020",
         "APPEAR=ON\tFREQUENCY=136.975\tNAME=OPS    \tTXINHIBIT=OFF\tCHLOCKOUT=OFF"},
        {{0xFF, 0x12, 0x34, 0x80, 0, ' ', ' ', ' '}, 0, "FF00009F00" "20202020202020", // the frequency bytes stay
         "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF"},
    };
    for (const auto& c : cases) {
        m_image.LoadDefault();
        m_image.WriteBlock(0x80, c.stored, 8);
        Channel(3).Sync(0, m_image);
        EXPECT_EQ(Channel(3).GetFrequency(), c.hertz);
        EXPECT_EQ(Channel(3).Execute("ALL"), c.all);
        m_image.LoadDefault();
        m_image.WriteByte(0x83, 0x1F);
        Channel(3).SetLoaded(0);
        Channel(3).Sync(1, m_image);
        EXPECT_EQ(Channel(3).IsLoaded(), 1);
        EXPECT_EQ(Hex(m_image, 0x80, 12), c.record) << c.all;
    }
}

TEST_F(MemoryChannelTest, FieldCommands)
{
    ExpectAnswers(Channel(3), {{"frequency=121.5", "121.500"}, {"FREQUENCY.ByNumber", "121500000"},
                               {"APPEAR", "OFF"}, // a blank channel loses a frequency set without APPEAR=ON
                               {"FREQUENCY", "0.000"}, {"FREQUENCY=121.5", "121.500"}, {"APPEAR=ON", "ON"},
                               {"FREQUENCY", "121.500"}, {"APPEAR.ByNumber", "1"}, {"NAME=a.b", "A B    "},
                               {"NAME=x=y", "X=Y    "}, {"TXINHIBIT=on", "ON"}, {"TXINHIBIT=maybe", "ON"},
                               {"CHLOCKOUT.ByNumber=1", "1"}, {"CHLOCKOUT", "ON"}, {"NOSUCH=1", ""}, {"", ""},
                               {".ByNumber", ""}, {"APPEAR=OFF", "OFF"}, {"FREQUENCY", "0.000"}});
    ExpectAnswers(Channel(4), {{"ALL", kBlankChannel}, // ALL sets the items up to the first empty one
                               {"ALL=APPEAR=ON\tFREQUENCY=121.5\t\tNAME=X",
                                "APPEAR=ON\tFREQUENCY=121.500\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF"},
                               {"all=NAME=A=B\tTXINHIBIT=ON",
                                "APPEAR=ON\tFREQUENCY=121.500\tNAME=A=B    \tTXINHIBIT=ON\tCHLOCKOUT=OFF"},
                               {"ALL=ALL=ALL=NAME=Q", // an item may itself be an ALL command
                                "APPEAR=ON\tFREQUENCY=121.500\tNAME=Q      \tTXINHIBIT=ON\tCHLOCKOUT=OFF"}});
    std::string nested; // bounded, not recursed without end
    for (int i = 0; i < 100000; ++i)
        nested += "ALL=";
    EXPECT_EQ(Channel(4).Execute(nested + "NAME=Z").substr(0, 9), "APPEAR=ON");
    EXPECT_EQ(CChannelId().GetStorePosition(), -1);
    EXPECT_EQ(CChannelId(7, 0).GetKind(), CChannelId::kVfo); // an unknown kind is the VFO's
}
