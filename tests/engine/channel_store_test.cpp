#include "engine/channel_store.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/clone_image.h"
#include "engine/radio_engine.h"
#include "tests/common/scratch_dir.h"
#include "tests/engine/command_steps.h"

class ChannelStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_engine.Execute("INITIALIZE"), "OK"); }

    // Puts channels in use, channel n at 120 + n MHz with the name "CHn".
    void Use(std::initializer_list<int> channels)
    {
        for (int n : channels)
            m_engine.Execute("CH.MCH." + std::to_string(n) + ".ALL=APPEAR=ON\tNAME=CH" + std::to_string(n)
                             + "\tFREQUENCY=" + std::to_string(120 + n));
    }

    CRadioEngine m_engine;
};

TEST_F(ChannelStoreTest, CommandsReachTheNamedChannelTheFirstStaysAndIsLegalFollowsTheBand)
{
    ExpectAnswers(m_engine, {{"CH.MCH.0.NAME", ""}, {"CH.MCH.21.NAME", ""}, {"CH.VFO.2.NAME", ""},
        {"CH.MCH.x.NAME", ""}, {"CH.MCH.-3.NAME", ""}, {"CH.MCH.-.NAME", ""}, {"CH.MCH.99999999999999999999.NAME", ""},
        {"CH.MCH.3", ""}, {"CH.MCH.3.NOSUCH", ""}, {"CH", ""}, {"ch.mch.3.frequency=121.5", "121.500"},
        {"Ch.Mch.3.Appear=on", "ON"}, {"CH.MCH. +3x.ISLEGAL", "OK"}, {"CH.VFO.1.FREQUENCY", "118.000"},
        {"ch.mch.20.copy.check", "OK"}, {"CH.MCH.3.COMMON.BEEP", "ON"}, {"CH.MCH.99.COMMON.BEEP", "ON"},
        {"CH.XYZ.3.COMMON.BEEP", ""}, {"CH.NONE.1.COMMON.BEEP", ""}}); // VFO and MCH parts go before the settings
    for (const char* channel : {"CH.MCH.1.", "CH.VFO.1."}) {
        for (const char* refused : {"CLEAR.CHECK", "INSERT.CHECK", "DELETE.CHECK", "CLEAR", "INSERT", "DELETE"})
            EXPECT_EQ(m_engine.Execute(std::string(channel) + refused), "NG") << channel << refused;
        ExpectAnswers(m_engine, {{channel + std::string("COPY.CHECK"), "OK"}, {channel + std::string("HEAL"), "OK"}});
    }
    Use({3});
    ExpectAnswers(m_engine, {{"CH.MCH.1.IsLegal", "OK"}, {"CH.MCH.2.IsLegal", "NG"},
        {"CH.MCH.2.FREQUENCY=140", "140.000"}, {"CH.MCH.2.IsLegal", "NG"}, // not clamped before the heal
        {"CH.MCH.2.APPEAR=ON", "ON"}, {"CH.MCH.2.Heal", "OK"}, {"CH.MCH.2.IsLegal", "OK"},
        {"CH.MCH.2.FREQUENCY", "136.975"}, {"CH.MCH.3.APPEAR=OFF", "OFF"}, {"CH.MCH.3.ISLEGAL", "NG"}});
}

TEST_F(ChannelStoreTest, CopyAndPaste)
{
    ExpectAnswers(m_engine, {{"CH.MCH.5.PASTE.CHECK", "NG"}, {"CH.MCH.5.PASTE", "NG"},
        {"CH.MCH.7.COPY", "OK"}, {"CH.MCH.1.PASTE.CHECK", "NG"}, // a blank channel goes onto movable channels only
        {"CH.VFO.1.PASTE.CHECK", "NG"}, {"CH.MCH.5.PASTE.CHECK", "OK"}});
    Use({5, 9});
    ExpectAnswers(m_engine, {{"CH.MCH.5.PASTE.CHECK", "WARNING"}, {"CH.MCH.5.FREQUENCY", "125.000"},
        {"CH.MCH.5.PASTE", "OK"}, {"CH.MCH.5.ALL", kBlankChannel}, {"CH.MCH.9.TXINHIBIT=ON", "ON"},
        {"CH.MCH.9.COPY", "OK"}, {"CH.MCH.9.NAME=changed", "CHANGED"}, // the clipboard holds a copy
        {"CH.MCH.1.PASTE.CHECK", "WARNING"}, {"CH.MCH.1.PASTE", "OK"},
        {"CH.MCH.1.ALL", "APPEAR=ON\tFREQUENCY=129.000\tNAME=CH9    \tTXINHIBIT=ON\tCHLOCKOUT=OFF"},
        {"CH.MCH.12.PASTE.CHECK", "OK"}, {"CH.MCH.12.PASTE", "OK"}, {"CH.MCH.12.FREQUENCY", "129.000"},
        {"HEAL", "OK"}});
    EXPECT_EQ(Hex(m_engine.GetImage(), 0x110, 4), "129000A0"); // the pasted channel keeps its own record
    CScratchDir scratch;
    const std::string path = scratch.In("clipboard.qrb"); // neither a new data set nor a loaded file empties it
    ExpectAnswers(m_engine, {{"FILE.SAVE." + Quoted(path), "OK"}, {"INITIALIZE", "OK"}, {"CH.MCH.8.PASTE", "OK"},
        {"CH.MCH.8.NAME", "CH9    "}, {"FILE.LOAD." + Quoted(path), "OK"}, {"CH.MCH.8.APPEAR", "OFF"},
        {"CH.MCH.8.PASTE", "OK"}, {"CH.MCH.8.FREQUENCY", "129.000"}});
}

TEST_F(ChannelStoreTest, DeleteInsertAndClear)
{
    Use({1, 2, 3, 4});
    ExpectAnswers(m_engine, {{"CH.MCH.2.DELETE.CHECK", "WARNING"}, {"CH.MCH.6.DELETE.CHECK", "OK"},
        {"CH.MCH.2.DELETE", "OK"}, {"CH.MCH.1.NAME", "CH1    "}, {"CH.MCH.2.NAME", "CH3    "},
        {"CH.MCH.2.FREQUENCY", "123.000"}, {"CH.MCH.3.NAME", "CH4    "}, {"CH.MCH.4.ALL", kBlankChannel},
        {"CH.MCH.20.APPEAR", "OFF"}, {"CH.MCH.2.INSERT.CHECK", "OK"}, {"CH.MCH.2.INSERT", "OK"}, // and back down
        {"CH.MCH.1.NAME", "CH1    "}, {"CH.MCH.2.ALL", kBlankChannel}, {"CH.MCH.3.NAME", "CH3    "},
        {"CH.MCH.4.FREQUENCY", "124.000"}, {"CH.MCH.5.APPEAR", "OFF"}, {"CH.MCH.3.CHLOCKOUT=ON", "ON"},
        {"CH.MCH.3.CLEAR.CHECK", "OK"}, {"CH.MCH.3.APPEAR", "ON"}, {"CH.MCH.3.CLEAR", "OK"},
        {"CH.MCH.3.ALL", "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=ON"}}); // flags kept
    Use({20});
    ExpectAnswers(m_engine, {{"CH.MCH.3.INSERT.CHECK", "WARNING"}, {"CH.MCH.20.NAME", "CH20   "},
        {"CH.MCH.3.INSERT", "OK"}, {"CH.MCH.20.APPEAR", "OFF"}}); // the callers refuse it, not the store
    Use({19, 20}); // at the last channel, insert and delete move nothing
    ExpectAnswers(m_engine, {{"CH.MCH.20.INSERT", "OK"}, {"CH.MCH.20.APPEAR", "OFF"}, {"CH.MCH.19.NAME", "CH19   "}});
    Use({20});
    ExpectAnswers(m_engine, {{"CH.MCH.20.DELETE", "OK"}, {"CH.MCH.20.APPEAR", "OFF"}, {"CH.MCH.19.NAME", "CH19   "}});
}
