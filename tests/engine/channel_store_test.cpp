#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/radio_engine.h"

namespace {

// Channel operations through the engine's command interface, as the channel list uses them.
class ChannelStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_engine.Execute("INITIALIZE"), "OK"); }

    std::string Ch(int n, const std::string& rest) { return m_engine.Execute(Prefix(n) + rest); }
    static std::string Prefix(int n)
    {
        char text[32];
        std::snprintf(text, sizeof text, "CH.MCH.%d.", n);
        return text;
    }
    // Puts a channel in use with a frequency of 120 + n MHz and a name "CHn".
    void Use(int n)
    {
        Ch(n, "FREQUENCY=" + std::to_string(120 + n));
        Ch(n, "APPEAR=ON");
        Ch(n, "NAME=CH" + std::to_string(n));
    }
    std::string Frequency(int n) { return Ch(n, "FREQUENCY"); }
    std::string Name(int n) { return Ch(n, "NAME"); }

    CRadioEngine m_engine;
};

} // namespace

TEST_F(ChannelStoreTest, CommandsNamingNoChannelAnswerEmpty)
{
    const char* const commands[] = {"CH.MCH.0.NAME", "CH.MCH.21.NAME", "CH.VFO.2.NAME", "CH.XYZ.1.NAME",
                                    "CH.MCH.3",      "CH.MCH.x.NAME",  "CH.MCH.3.NOSUCH", "CH"};
    for (const char* command : commands) {
        EXPECT_EQ(m_engine.Execute(command), "") << command;
    }
}

TEST_F(ChannelStoreTest, WordsAreCaseInsensitive)
{
    EXPECT_EQ(m_engine.Execute("ch.mch.3.frequency=121.5"), "121.500");
    EXPECT_EQ(m_engine.Execute("Ch.Mch.3.Appear=on"), "ON");
    EXPECT_EQ(m_engine.Execute("CH.MCH.3.ISLEGAL"), "OK");
    EXPECT_EQ(m_engine.Execute("CH.VFO.1.FREQUENCY"), "118.000");
}

TEST_F(ChannelStoreTest, ChannelPartIsRemovedBeforeTheCommonHandler)
{
    EXPECT_EQ(m_engine.Execute("CH.MCH.3.COMMON.BEEP"), "ON");
    EXPECT_EQ(m_engine.Execute("CH.MCH.99.COMMON.BEEP"), "ON");
    EXPECT_EQ(m_engine.Execute("CH.XYZ.3.COMMON.BEEP"), "");
}

TEST_F(ChannelStoreTest, FirstChannelRefusesMovingOperations)
{
    struct Case {
        const char* operation;
        const char* answer;
    };
    const Case cases[] = {{"CLEAR.CHECK", "NG"}, {"INSERT.CHECK", "NG"}, {"DELETE.CHECK", "NG"},
                          {"CLEAR", "NG"},       {"INSERT", "NG"},       {"DELETE", "NG"},
                          {"COPY.CHECK", "OK"},  {"HEAL", "OK"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Ch(1, c.operation), c.answer) << c.operation;
        EXPECT_EQ(m_engine.Execute(std::string("CH.VFO.1.") + c.operation), c.answer) << c.operation;
    }
    EXPECT_EQ(Frequency(1), "118.000");
}

TEST_F(ChannelStoreTest, IsLegalFollowsTheBand)
{
    EXPECT_EQ(Ch(1, "IsLegal"), "OK");
    EXPECT_EQ(Ch(2, "IsLegal"), "NG");
    Ch(2, "FREQUENCY=140");
    EXPECT_EQ(Ch(2, "IsLegal"), "NG"); // not clamped before the heal
    Ch(2, "APPEAR=ON");
    EXPECT_EQ(Ch(2, "Heal"), "OK");
    EXPECT_EQ(Ch(2, "IsLegal"), "OK");
    EXPECT_EQ(Frequency(2), "136.975");
    Use(3);
    EXPECT_EQ(Ch(3, "APPEAR=OFF"), "OFF");
    EXPECT_EQ(Frequency(3), "0.000");
    EXPECT_EQ(Ch(3, "ISLEGAL"), "NG");
}

TEST_F(ChannelStoreTest, PasteChecksAndTargets)
{
    EXPECT_EQ(Ch(5, "PASTE.CHECK"), "NG");
    EXPECT_EQ(Ch(5, "PASTE"), "NG");

    // A blank channel on the clipboard.
    EXPECT_EQ(Ch(7, "COPY"), "OK");
    EXPECT_EQ(Ch(1, "PASTE.CHECK"), "NG");
    EXPECT_EQ(m_engine.Execute("CH.VFO.1.PASTE.CHECK"), "NG");
    EXPECT_EQ(Ch(5, "PASTE.CHECK"), "OK");
    Use(5);
    EXPECT_EQ(Ch(5, "PASTE.CHECK"), "WARNING");
    EXPECT_EQ(Frequency(5), "125.000"); // the check changed nothing
    EXPECT_EQ(Ch(5, "PASTE"), "OK");
    EXPECT_EQ(Ch(5, "APPEAR"), "OFF");
    EXPECT_EQ(Name(5), "       ");

    // A channel in use on the clipboard may go onto the first channel too.
    Use(9);
    Ch(9, "TXINHIBIT=ON");
    EXPECT_EQ(Ch(9, "COPY"), "OK");
    EXPECT_EQ(Ch(1, "PASTE.CHECK"), "WARNING");
    EXPECT_EQ(Ch(1, "PASTE"), "OK");
    EXPECT_EQ(Ch(1, "ALL"), "APPEAR=ON\tFREQUENCY=129.000\tNAME=CH9    \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    EXPECT_EQ(Ch(12, "PASTE.CHECK"), "OK");
    EXPECT_EQ(Ch(12, "PASTE"), "OK");
    EXPECT_EQ(Frequency(12), "129.000");
}

TEST_F(ChannelStoreTest, CopyTakesASnapshot)
{
    Use(4);
    Ch(4, "COPY");
    Ch(4, "NAME=changed");
    Ch(6, "PASTE");
    EXPECT_EQ(Name(6), "CH4    ");
}

TEST_F(ChannelStoreTest, ClipboardSurvivesInitializeAndLoad)
{
    Use(4);
    Ch(4, "COPY");
    const std::string path = ::testing::TempDir() + "clipboard_survives.qrb";
    ASSERT_EQ(m_engine.Execute("FILE.SAVE.\"" + path + "\""), "OK");
    EXPECT_EQ(m_engine.Execute("INITIALIZE"), "OK");
    EXPECT_EQ(Ch(8, "PASTE"), "OK");
    EXPECT_EQ(Name(8), "CH4    ");
    ASSERT_EQ(m_engine.Execute("FILE.LOAD.\"" + path + "\""), "OK");
    EXPECT_EQ(Ch(8, "APPEAR"), "OFF");
    EXPECT_EQ(Ch(8, "PASTE"), "OK");
    EXPECT_EQ(Frequency(8), "124.000");
    std::remove(path.c_str());
}

TEST_F(ChannelStoreTest, DeleteMovesLaterChannelsUp)
{
    for (int n = 1; n <= 4; ++n) {
        Use(n);
    }
    EXPECT_EQ(Ch(2, "DELETE.CHECK"), "WARNING");
    EXPECT_EQ(Ch(6, "DELETE.CHECK"), "OK");
    EXPECT_EQ(Ch(2, "DELETE"), "OK");
    EXPECT_EQ(Name(1), "CH1    ");
    EXPECT_EQ(Name(2), "CH3    ");
    EXPECT_EQ(Frequency(2), "123.000");
    EXPECT_EQ(Name(3), "CH4    ");
    EXPECT_EQ(Ch(4, "APPEAR"), "OFF");
    EXPECT_EQ(Name(4), "       ");
    EXPECT_EQ(Ch(20, "APPEAR"), "OFF");
}

TEST_F(ChannelStoreTest, InsertMovesChannelsDownAndBlanks)
{
    for (int n = 1; n <= 4; ++n) {
        Use(n);
    }
    EXPECT_EQ(Ch(2, "INSERT.CHECK"), "OK");
    EXPECT_EQ(Ch(2, "INSERT"), "OK");
    EXPECT_EQ(Name(1), "CH1    ");
    EXPECT_EQ(Ch(2, "APPEAR"), "OFF");
    EXPECT_EQ(Frequency(2), "0.000");
    EXPECT_EQ(Name(3), "CH2    ");
    EXPECT_EQ(Name(4), "CH3    ");
    EXPECT_EQ(Name(5), "CH4    ");
    EXPECT_EQ(Frequency(5), "124.000");
    EXPECT_EQ(Ch(6, "APPEAR"), "OFF");
}

TEST_F(ChannelStoreTest, InsertCheckWarnsWhenTheLastChannelWouldBeLost)
{
    Use(20);
    EXPECT_EQ(Ch(3, "INSERT.CHECK"), "WARNING");
    EXPECT_EQ(Name(20), "CH20   "); // the check changed nothing
    EXPECT_EQ(Ch(3, "INSERT"), "OK"); // refused by callers, not here
    EXPECT_EQ(Ch(20, "APPEAR"), "OFF");
}

TEST_F(ChannelStoreTest, InsertAndDeleteAtTheLastChannelMoveNothing)
{
    Use(19);
    Use(20);
    EXPECT_EQ(Ch(20, "INSERT"), "OK");
    EXPECT_EQ(Ch(20, "APPEAR"), "OFF");
    EXPECT_EQ(Name(19), "CH19   ");
    Use(20);
    EXPECT_EQ(Ch(20, "DELETE"), "OK");
    EXPECT_EQ(Ch(20, "APPEAR"), "OFF");
    EXPECT_EQ(Name(19), "CH19   ");
}

TEST_F(ChannelStoreTest, ClearBlanksButKeepsFlags)
{
    Use(6);
    Ch(6, "CHLOCKOUT=ON");
    EXPECT_EQ(Ch(6, "CLEAR.CHECK"), "OK");
    EXPECT_EQ(Ch(6, "APPEAR"), "ON");
    EXPECT_EQ(Ch(6, "CLEAR"), "OK");
    EXPECT_EQ(Ch(6, "ALL"), "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=ON");
}
