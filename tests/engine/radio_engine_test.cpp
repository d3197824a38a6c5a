#include "engine/radio_engine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "engine/clone_image.h"
#include "tests/common/test_files.h"

namespace {

std::string TempPath(const char* name)
{
    return ::testing::TempDir() + name;
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

TEST(RadioEngineDispatch, TopLevelWordsAnyCase)
{
    CRadioEngine engine;
    struct Case {
        const char* command;
        const char* answer;
    };
    const Case cases[] = {
        {"HEAL", "OK"},           {"heal", "OK"},         {"Heal.anything=x", "OK"},
        {"INITIALIZE", "OK"},     {"initialize.x", "OK"}, {"FILE.COPY", ""},
        {"NOSUCH", ""},           {"", ""},               {"FILE", ""},
        {"EDIT_FLAG=MAYBE", "ON"}, // INITIALIZE changed the healed image
        {"EDIT_FLAG=OFF", "OFF"}, {"EDIT_FLAG=MAYBE", "OFF"}, {"edit_flag=on", "ON"},
        {"EDIT_FLAG", "ON"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engine.Execute(c.command), c.answer) << c.command;
    }
    EXPECT_EQ(engine.Execute(std::string("HEAL\0junk", 9)), "OK");
}

TEST(RadioEngineEditFlag, NewEngineIsUnchanged)
{
    CRadioEngine engine;
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "OFF");
    EXPECT_EQ(engine.Execute("HEAL"), "OK");
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "OFF");
}

TEST(RadioEngineEditFlag, StickyOnceAChangeWasSeen)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("EDIT_FLAG=OFF");
    EXPECT_EQ(engine.Execute("COMMON.BEEP=OFF"), "OFF");
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "ON");
    EXPECT_EQ(engine.Execute("COMMON.BEEP=ON"), "ON");
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "ON");
    EXPECT_EQ(engine.Execute("EDIT_FLAG=OFF"), "OFF");
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "OFF");
}

TEST(RadioEngineEditFlag, ChangeUndoneBeforeAQueryIsNotSeen)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("EDIT_FLAG=OFF");
    engine.Execute("CH.MCH.1.NAME=abc");
    engine.Execute("CH.MCH.1.NAME= ");
    engine.Execute("COMMON.PRIOCH=7");
    engine.Execute("COMMON.PRIOCH=1");
    EXPECT_EQ(engine.Execute("EDIT_FLAG"), "OFF");
}

TEST(RadioEngineEditFlag, OnlyChangesThatSurviveTheHeal)
{
    struct Case {
        const char* change;
        const char* flag;
    };
    const Case cases[] = {
        {"CH.VFO.1.FREQUENCY=125", "OFF"},     // the VFO channel is not kept
        {"CH.VFO.1.NAME=VFO", "OFF"},
        {"CH.MCH.5.NAME=blank", "OFF"},        // a blank channel has no name
        {"CH.MCH.5.APPEAR=OFF", "OFF"},
        // The heal encodes first, and encoding derives APPEAR from the frequency: a frequency
        // set on a blank channel puts it in use.
        {"CH.MCH.5.FREQUENCY=125", "ON"},
        {"COMMON.BEEP=MAYBE", "OFF"},
        {"CH.MCH.1.FREQUENCY=118.001", "OFF"}, // snapped back to 118.000
        {"CH.MCH.5.TXINHIBIT=ON", "ON"},       // flags of a blank channel are stored
        {"CH.MCH.1.NAME=one", "ON"},
        {"COMMON.OPENING_TEXT=hello", "ON"},
        {"COMMON.VFOTX_INHIBIT=DISABLE", "ON"},
        {"CH.MCH.1.FREQUENCY=121.5", "ON"},
    };
    for (const Case& c : cases) {
        CRadioEngine engine;
        engine.Execute("INITIALIZE");
        engine.Execute("EDIT_FLAG=OFF");
        engine.Execute(c.change);
        EXPECT_EQ(engine.Execute("EDIT_FLAG"), c.flag) << c.change;
    }
}

TEST(RadioEngineInitialize, DefaultImageWithHealedSettingsAndChannels)
{
    CRadioEngine engine;
    engine.Execute("COMMON.BEEP=OFF");
    engine.Execute("CH.MCH.3.FREQUENCY=121.5");
    engine.Execute("CH.MCH.3.APPEAR=ON");
    EXPECT_EQ(engine.Execute("INITIALIZE"), "OK");
    EXPECT_EQ(engine.Execute("COMMON.BEEP"), "ON");
    EXPECT_EQ(engine.Execute("CH.MCH.3.APPEAR"), "OFF");
    // The default image is a healed image, apart from the VFO name, which the default image
    // holds as NUL bytes and the heal writes as spaces.
    CCloneImage defaults;
    defaults.LoadDefault();
    for (uint32_t a = 0; a < 512; ++a) {
        const uint8_t expected = (a >= 0x55 && a <= 0x5B) ? 0x20 : defaults.ReadByte(a);
        EXPECT_EQ(engine.GetImage().ReadByte(a), expected) << std::hex << a;
    }
}

TEST(RadioEngineHeal, ChannelSpacingResnapsEveryChannel)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    for (int n = 2; n <= 20; ++n) {
        engine.Execute("CH.MCH." + std::to_string(n) + ".FREQUENCY=" + std::to_string(117 + n));
        engine.Execute("CH.MCH." + std::to_string(n) + ".APPEAR=ON");
    }
    engine.Execute("CH.MCH.20.FREQUENCY=118.025");
    engine.Execute("HEAL");
    engine.Execute("COMMON.CH_SPACING=8.33kHz");
    EXPECT_EQ(engine.Execute("CH.MCH.2.FREQUENCY"), "119.000"); // nothing changes before the heal
    engine.Execute("HEAL");
    EXPECT_EQ(engine.Execute("CH.MCH.1.FREQUENCY"), "118.005");
    for (int n = 2; n <= 19; ++n) {
        EXPECT_EQ(engine.Execute("CH.MCH." + std::to_string(n) + ".FREQUENCY"), std::to_string(117 + n) + ".005");
    }
    EXPECT_EQ(engine.Execute("CH.MCH.20.FREQUENCY"), "118.030");
    engine.Execute("COMMON.CH_SPACING=25kHz");
    engine.Execute("HEAL");
    EXPECT_EQ(engine.Execute("CH.MCH.1.FREQUENCY"), "118.000");
    EXPECT_EQ(engine.Execute("CH.MCH.20.FREQUENCY"), "118.025");
    engine.Execute("COMMON.CH_SPACING=25k/8.33kHz");
    engine.Execute("HEAL");
    EXPECT_EQ(engine.Execute("CH.MCH.20.FREQUENCY"), "118.025");
    // The image holds the snapped frequency.
    EXPECT_EQ(engine.GetImage().ReadByte(0x190), 0x11);
    EXPECT_EQ(engine.GetImage().ReadByte(0x191), 0x80);
    EXPECT_EQ(engine.GetImage().ReadByte(0x192), 0x25);
}

TEST(RadioEngineHeal, VfoChangesAreDropped)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("CH.VFO.1.FREQUENCY=127.5");
    engine.Execute("CH.VFO.1.NAME=VFO");
    engine.Execute("CH.VFO.1.CHLOCKOUT=ON");
    engine.Execute("HEAL");
    EXPECT_EQ(engine.Execute("CH.VFO.1.ALL"),
              "APPEAR=ON\tFREQUENCY=118.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    EXPECT_EQ(engine.GetImage().ReadByte(0x50), 0x11);
    EXPECT_EQ(engine.GetImage().ReadByte(0x53), 0x80);
}

TEST(RadioEngineHeal, VfoTxInhibitSettingDecidesTheVfoBit)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    EXPECT_EQ(engine.Execute("COMMON.VFOTX_INHIBIT"), "ENABLE");
    EXPECT_EQ(engine.GetImage().ReadByte(0x53) & 0x80, 0x80);
    engine.Execute("COMMON.VFOTX_INHIBIT=DISABLE");
    engine.Execute("CH.VFO.1.TXINHIBIT=ON");
    engine.Execute("HEAL");
    EXPECT_EQ(engine.GetImage().ReadByte(0x53) & 0x80, 0);
    EXPECT_EQ(engine.Execute("COMMON.VFOTX_INHIBIT"), "DISABLE");
    // The setting stays DISABLE over further heals, although the VFO channel is decoded from
    // the default image (bit set) each time.
    engine.Execute("HEAL");
    EXPECT_EQ(engine.GetImage().ReadByte(0x53) & 0x80, 0);
    engine.Execute("COMMON.VFOTX_INHIBIT=ENABLE");
    engine.Execute("HEAL");
    EXPECT_EQ(engine.GetImage().ReadByte(0x53) & 0x80, 0x80);
}

TEST(RadioEngineHeal, UncoveredBytesReturnToDefaults)
{
    const std::string path = TempPath("uncovered_bytes.qrb");
    {
        std::ofstream out(path, std::ios::binary);
        out << "22700101\r\n#\r\n";
        // Settings area with every uncovered bit set, channel records from the default image.
        out << "003010FFFFFFFFFFFFFFFF41424344454647FF\r\n";
        out << "01A010FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n";
        CCloneImage defaults;
        defaults.LoadDefault();
        for (uint32_t a = 0x80; a < 0x200; a += 16) {
            if (a == 0x1A0) {
                continue;
            }
            char head[8];
            std::snprintf(head, sizeof head, "%04X10", a);
            out << head;
            for (uint32_t i = 0; i < 16; ++i) {
                char b[4];
                std::snprintf(b, sizeof b, "%02X", defaults.ReadByte(a + i));
                out << b;
            }
            out << "\r\n";
        }
    }
    CRadioEngine engine;
    ASSERT_EQ(engine.Execute("FILE.LOAD." + Quoted(path)), "OK");
    // ADJ_ENABLE, VFOMODE_ENABLE, MRWRITE_ENABLE on; the spacing code 3 is no word (25kHz).
    EXPECT_EQ(engine.GetImage().ReadByte(0x30), 0x98);
    EXPECT_EQ(engine.GetImage().ReadByte(0x31), 0xFF);
    EXPECT_EQ(engine.GetImage().ReadByte(0x32), 0xE0); // bits 5-0 are the default's
    for (uint32_t a = 0x33; a <= 0x37; ++a) {
        EXPECT_EQ(engine.GetImage().ReadByte(a), 0x00) << a;
    }
    EXPECT_EQ(engine.GetImage().ReadByte(0x3F), 0x00);
    EXPECT_EQ(engine.GetImage().ReadByte(0x1A0), 0x00);
    EXPECT_EQ(engine.Execute("COMMON.OPENING_TEXT"), "ABCDEFG");
    std::remove(path.c_str());
}

TEST(RadioEngineFile, SaveAnswersAndPaths)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    EXPECT_EQ(engine.Execute("FILE.SAVE.x.y"), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Execute("FILE.SAVE."), "CANNOT_OPEN_FILE");
    const std::string dotted = TempPath("a.b.c.qrb");
    EXPECT_EQ(engine.Execute("File.Save." + Quoted(dotted)), "OK");
    EXPECT_EQ(ReadFile(dotted).substr(0, 10), "22700101\r\n");
    std::remove(dotted.c_str());
    // An '=' ends the key, and with it the path.
    const std::string cut = TempPath("eq");
    EXPECT_EQ(engine.Execute("FILE.SAVE." + Quoted(cut + "=x.qrb")), "OK");
    EXPECT_FALSE(ReadFile(cut).empty());
    std::remove(cut.c_str());
    // The closing quote may be missing.
    const std::string open = TempPath("open_quote.qrb");
    EXPECT_EQ(engine.Execute("FILE.SAVE.\"" + open), "OK");
    std::remove(open.c_str());
    EXPECT_EQ(engine.Execute("FILE.SAVE." + Quoted(TempPath("no_such_dir/x.qrb"))), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Execute("FILE.SAVE." + Quoted(::testing::TempDir())), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Execute("FILE.LOAD." + Quoted(TempPath("no_such_file.qrb"))), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Execute("FILE.LOAD.x"), "CANNOT_OPEN_FILE");
}

TEST(RadioEngineFile, SaveWritesTheCommentAndHeals)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("EDIT_FLAG=OFF");
    engine.Execute("COMMON.CLONE_COMMENT=Tower set");
    const std::string path = TempPath("comment.qrb");
    ASSERT_EQ(engine.Execute("FILE.SAVE." + Quoted(path)), "OK");
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.substr(0, 29), "22700101\r\n#Tower set       \r\n");
    EXPECT_EQ(engine.GetImage().ReadByte(0x10), 'T');
    std::remove(path.c_str());
}

TEST(RadioEngineFile, SaveWithSafetyRestoresTheWorkingImage)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("HEAL");
    engine.Execute("CH.MCH.1.APPEAR=OFF"); // channel 1 at 0 Hz: outside the band
    engine.Execute("HEAL");
    CCloneImage before;
    before.CopyFrom(engine.GetImage());
    const std::string path = TempPath("safety.qrb");
    ASSERT_EQ(engine.Execute("FILE.SAVE.WithSafety." + Quoted(path)), "OK");
    EXPECT_TRUE(engine.GetImage().Equals(before));
    // The safety heal decoded channel 1 afresh from the default image: 118.000 in the file.
    CRadioEngine loaded;
    ASSERT_EQ(loaded.Execute("FILE.LOAD." + Quoted(path)), "OK");
    EXPECT_EQ(loaded.Execute("CH.MCH.1.FREQUENCY"), "118.000");
    EXPECT_EQ(engine.Execute("CH.MCH.1.FREQUENCY"), "118.000");
    std::remove(path.c_str());
}

TEST(RadioEngineFile, FailedLoadChangesNothing)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("CH.MCH.3.FREQUENCY=121.5");
    engine.Execute("CH.MCH.3.APPEAR=ON");
    engine.Execute("COMMON.BEEP=OFF");
    engine.Execute("HEAL");
    engine.Execute("COMMON.SCAN_PRIO=ON"); // not yet encoded
    CCloneImage before;
    before.CopyFrom(engine.GetImage());
    const std::string path = TempPath("bad.qrb");
    {
        std::ofstream out(path, std::ios::binary);
        out << "22700102\r\n";
    }
    EXPECT_EQ(engine.Execute("FILE.LOAD." + Quoted(path)), "MISMATCH_REVISION");
    EXPECT_TRUE(engine.GetImage().Equals(before));
    EXPECT_EQ(engine.Execute("COMMON.SCAN_PRIO"), "ON");
    EXPECT_EQ(engine.Execute("CH.MCH.3.FREQUENCY"), "121.500");
    std::remove(path.c_str());
}

TEST(RadioEngineFile, SuccessfulLoadDropsUnencodedChanges)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    const std::string path = TempPath("reload.qrb");
    ASSERT_EQ(engine.Execute("FILE.SAVE." + Quoted(path)), "OK");
    engine.Execute("COMMON.BEEP=OFF");
    engine.Execute("CH.MCH.1.NAME=gone");
    ASSERT_EQ(engine.Execute("FILE.LOAD." + Quoted(path)), "OK");
    EXPECT_EQ(engine.Execute("COMMON.BEEP"), "ON");
    EXPECT_EQ(engine.Execute("CH.MCH.1.NAME"), "       ");
    std::remove(path.c_str());
}
