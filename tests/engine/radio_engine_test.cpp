#include "engine/radio_engine.h"

#include <gtest/gtest.h>

#include <utility>

#include "engine/clone_data_file.h"
#include "engine/clone_image.h"
#include "engine/frequency_band.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/engine/command_steps.h"

TEST(FrequencyBand, SnapsToTheNearestGridPointInsideTheBand)
{
    const struct { int grid; uint32_t in, out; } cases[] = {{0, 118012500, 118000000}, {0, 118012501, 118025000},
        {0, 136980000, 136975000}, {0, 118090000, 118100000}, {0, 121537500, 121525000}, {0, 0, 0},
        {1, 118001000, 118005000}, {1, 136980000, 136980000}, {1, 118095000, 118090000}, {1, 118020000, 118015000},
        {1, 118022500, 118015000}, {1, 118022501, 118030000}, {1, 118047500, 118040000}, {1, 0, 0},
        {2, 118020000, 118015000}, {2, 118020001, 118025000}, {2, 118096000, 118100000}, {2, 118000000, 118000000},
        // Rounding would leave the band: the next point towards it, where the step has one.
        {0, 136990000, 136975000}, {1, 117990000, 117990000}, {1, 117957000, 117960000}};
    CFrequencyBand band;
    EXPECT_FALSE(band.Contains(120000000)); // empty until reset
    band.Reset();
    for (const auto& c : cases)
        EXPECT_EQ(band.Snap(c.in, EChannelGrid(c.grid)), c.out) << "grid " << c.grid << " " << c.in;
    EXPECT_EQ(band.ClampAndSnap(100000000), 118000000u); // without settings: the 25 kHz grid
    for (int64_t hertz : {118000000, 136980000, 117999999, 136980001, 0, -1}) // the band's bounds belong to it
        EXPECT_EQ(band.Contains(hertz), hertz >= 118000000 && hertz <= 136980000) << hertz;
}

TEST(RadioEngine, DispatchInitializeAndEditFlag)
{
    CRadioEngine engine;
    ExpectAnswers(engine, {{"EDIT_FLAG", "OFF"}, {"heal", "OK"}, {"Heal.anything=x", "OK"}, {"EDIT_FLAG", "OFF"},
        {"FILE.COPY", ""}, {"NOSUCH", ""}, {"", ""}, {"FILE", ""}, {"CH.MCH.3.FREQUENCY=121.5", "121.500"},
        {"CH.MCH.3.APPEAR=ON", "ON"}, {"HEAL", "OK"}, {"initialize.x", "OK"}, {"CH.MCH.3.APPEAR", "OFF"}});
    CCloneImage defaults; // the healed default image, whose VFO name, NUL bytes there, becomes spaces
    defaults.LoadDefault();
    EXPECT_EQ(Hex(engine.GetImage(), 0, 512), Hex(defaults, 0, 0x55) + "20202020202020" + Hex(defaults, 0x5C, 0x1A4));
    ExpectAnswers(engine, {{"EDIT_FLAG=MAYBE", "ON"}, {"EDIT_FLAG=OFF", "OFF"}, {"CH.MCH.1.NAME=abc", "ABC    "},
        {"CH.MCH.1.NAME= ", "       "}, {"COMMON.PRIOCH=7", "7"}, {"COMMON.PRIOCH=1", "1"},
        {"EDIT_FLAG", "OFF"}, // changes set back before a query are not seen
        {"COMMON.BEEP=OFF", "OFF"}, {"edit_flag", "ON"}, {"COMMON.BEEP=ON", "ON"}, {"EDIT_FLAG", "ON"}, // sticky
        {"EDIT_FLAG=OFF", "OFF"}, {"EDIT_FLAG", "OFF"}, {"EDIT_FLAG=on", "ON"}, {"EDIT_FLAG", "ON"}});
    EXPECT_EQ(engine.Execute(std::string("HEAL\0junk", 9)), "OK");
}

TEST(RadioEngine, QueriesChangeNothingAndAnswerAsExecuteDoes)
{
    CRadioEngine engine;
    ExpectAnswers(engine, {{"CH.MCH.3.FREQUENCY=121.5", "121.500"}, {"CH.MCH.3.APPEAR=ON", "ON"},
        {"COMMON.BEEP=OFF", "OFF"}, {"CH.MCH.4.FREQUENCY=122.8", "122.800"}}); // blank until APPEAR or a heal
    const std::string image = Hex(engine.GetImage(), 0, 512);
    const Step queries[] = {{"CH.MCH.3.NAME=X", ""}, {"COMMON.BEEP=ON", ""}, {"CH.MCH.3.CLEAR.CHECK", ""},
        {"CH.MCH.3.ALL=NAME=X", ""}, {"HEAL", ""}, {"EDIT_FLAG", ""}, {"CH.MCH.3.NAME", "       "},
        {"COMMON.BEEP", "OFF"}, {"ch.mch.3.frequency.ByNumber", "121500000"}, {"CH.MCH.3.ISLEGAL", "OK"},
        {"CH.MCH.4.ALL", kBlankChannel}, {"CH.MCH.4.FREQUENCY", "0.000"}, {"CH.MCH.4.ISLEGAL", "NG"}};
    for (const Step& q : queries)
        EXPECT_EQ(std::as_const(engine).Query(q.command), q.answer) << q.command;
    EXPECT_EQ(Hex(engine.GetImage(), 0, 512), image);
    for (const Step& q : queries) {
        if (*q.answer) {
            EXPECT_EQ(engine.Execute(q.command), q.answer) << q.command;
        }
    }
}

TEST(RadioEngine, EditFlagSeesOnlyChangesThatSurviveTheHeal)
{
    const std::pair<const char*, const char*> cases[] = {{"CH.VFO.1.FREQUENCY=125", "OFF"}, {"CH.VFO.1.NAME=V", "OFF"},
        {"CH.MCH.5.NAME=blank", "OFF"}, {"CH.MCH.5.APPEAR=OFF", "OFF"}, {"COMMON.BEEP=MAYBE", "OFF"},
        {"CH.MCH.1.FREQUENCY=118.001", "OFF"}, // snapped back to 118.000
        {"CH.MCH.5.FREQUENCY=125", "ON"},      // encoding derives APPEAR from the frequency
        {"CH.MCH.5.TXINHIBIT=ON", "ON"}, {"CH.MCH.1.NAME=one", "ON"}, {"COMMON.OPENING_TEXT=hello", "ON"},
        {"COMMON.VFOTX_INHIBIT=DISABLE", "ON"}, {"CH.MCH.1.FREQUENCY=121.5", "ON"}};
    for (const auto& [change, flag] : cases) {
        CRadioEngine engine;
        for (const char* command : {"INITIALIZE", "EDIT_FLAG=OFF", change})
            engine.Execute(command);
        EXPECT_EQ(engine.Execute("EDIT_FLAG"), flag) << change;
    }
}

TEST(RadioEngine, HealSnapsChannelsToTheSpacingDropsVfoChangesAndSetsTheVfoTxBit)
{
    CRadioEngine engine;
    engine.Execute("INITIALIZE");
    engine.Execute("CH.MCH.20.ALL=APPEAR=ON\tFREQUENCY=118.025");
    ExpectAnswers(engine, {{"HEAL", "OK"}, {"COMMON.CH_SPACING=8.33kHz", "8.33kHz"},
        {"CH.MCH.20.FREQUENCY", "118.025"}, // nothing changes before the heal
        {"HEAL", "OK"}, {"CH.MCH.1.FREQUENCY", "118.005"}, {"CH.MCH.20.FREQUENCY", "118.030"}});
    ExpectAnswers(engine, {{"COMMON.CH_SPACING=25kHz", "25kHz"}, {"HEAL", "OK"}, {"CH.MCH.1.FREQUENCY", "118.000"},
        {"CH.MCH.20.FREQUENCY", "118.025"}, {"COMMON.CH_SPACING=25k/8.33kHz", "25k/8.33kHz"}, {"HEAL", "OK"},
        {"CH.MCH.20.FREQUENCY", "118.025"}});
    EXPECT_EQ(Hex(engine.GetImage(), 0x190, 3), "118025");
    ExpectAnswers(engine, {{"INITIALIZE", "OK"}, {"CH.VFO.1.FREQUENCY=127.5", "127.500"},
        {"CH.VFO.1.NAME=VFO", "VFO    "}, {"CH.VFO.1.CHLOCKOUT=ON", "ON"}, {"COMMON.VFOTX_INHIBIT=DISABLE", "DISABLE"},
        {"HEAL", "OK"},
        {"CH.VFO.1.ALL", "APPEAR=ON\tFREQUENCY=118.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF"}});
    EXPECT_EQ(Hex(engine.GetImage(), 0x50, 4), "11800000");
    engine.Execute("HEAL"); // the VFO channel, decoded afresh with its bit set, stays without it
    EXPECT_EQ(Hex(engine.GetImage(), 0x53, 1), "00");
    ExpectAnswers(engine, {{"COMMON.VFOTX_INHIBIT=ENABLE", "ENABLE"}, {"HEAL", "OK"}});
    EXPECT_EQ(Hex(engine.GetImage(), 0x53, 1), "80");
}

TEST(RadioEngine, LoadHealsAnyImageToOneThatSavesAndLoadsUnchanged)
{
    CCloneImage image;
    image.LoadDefault();
    for (uint32_t a = 0x50; a < 0x200; ++a) // channels and the bytes no one uses full of junk
        image.WriteByte(a, static_cast<uint8_t>(a * 37 + 11));
    image.Fill(0x30, 0xFF, 0x10); // every bit of the settings bytes, covered or not
    image.WriteByte(0x40, 0xFF);  // a priority channel beyond 20 falls back to channel 2
    image.WriteBlock(0x38, reinterpret_cast<const uint8_t*>("ABCDEFG"), 7);
    CScratchDir scratch;
    const std::string path = scratch.In("junk.qrb");
    WriteFile(path, CCloneDataFile::Format(image, ""));
    CRadioEngine engine, again;
    ASSERT_EQ(engine.Execute("FILE.LOAD." + Quoted(path)), "OK");
    EXPECT_EQ(Hex(engine.GetImage(), 0x30, 0x11), "98FFE00000000000" "41424344454647" "00" "01"); // spacing 3: none
    EXPECT_EQ(Hex(engine.GetImage(), 0x1A0, 0x58), std::string(0xB0, '0'));
    ExpectAnswers(engine, {{"COMMON.OPENING_TEXT", "ABCDEFG"}, {"COMMON.CH_SPACING", "25kHz"}, {"COMMON.PRIOCH", "2"},
        {"FILE.SAVE." + Quoted(path), "OK"}, {"EDIT_FLAG=OFF", "OFF"}}); // a second heal changes nothing
    ASSERT_EQ(again.Execute("FILE.LOAD." + Quoted(path)), "OK");
    EXPECT_TRUE(again.GetImage().Equals(engine.GetImage()));
}

TEST(RadioEngine, FileCommandsTakeTheQuotedPathAndSaveWithSafety)
{
    CRadioEngine engine;
    CScratchDir scratch;
    const std::string dotted = scratch.In("a.b.c.qrb");
    ExpectAnswers(engine, {{"COMMON.CLONE_COMMENT=Tower set", "Tower set       "},
        {"File.Save." + Quoted(dotted), "OK"}, {"FILE.SAVE." + Quoted(scratch.In("eq=x.qrb")), "OK"}, // '=' ends it
        {"FILE.SAVE.\"" + scratch.In("open_quote.qrb"), "OK"}, {"FILE.SAVE.x.y", "CANNOT_OPEN_FILE"},
        {"FILE.LOAD.x", "CANNOT_OPEN_FILE"}, {"FILE.SAVE." + Quoted(scratch.In("no/x.qrb")), "CANNOT_OPEN_FILE"},
        {"FILE.SAVE." + Quoted(scratch.Path().string()), "CANNOT_OPEN_FILE"},
        {"FILE.LOAD." + Quoted(scratch.In("none.qrb")), "CANNOT_OPEN_FILE"}});
    EXPECT_EQ(ReadFile(dotted).substr(0, 29), "22700101\r\n#Tower set       \r\n");
    EXPECT_EQ(Hex(engine.GetImage(), 0x10, 1), "54"); // the save healed
    EXPECT_EQ(scratch.Entries(), (std::vector<std::string>{"a.b.c.qrb", "eq", "open_quote.qrb"}));
    CRadioEngine loaded;
    const std::string path = scratch.In("safety.qrb");
    ExpectAnswers(engine, {{"INITIALIZE", "OK"}, {"CH.MCH.1.APPEAR=OFF", "OFF"}, {"HEAL", "OK"}}); // channel 1 at 0 Hz
    const std::string before = Hex(engine.GetImage(), 0, 512);
    ASSERT_EQ(engine.Execute("FILE.SAVE.WithSafety." + Quoted(path)), "OK");
    EXPECT_EQ(Hex(engine.GetImage(), 0, 512), before);
    ExpectAnswers(loaded, {{"FILE.LOAD." + Quoted(path), "OK"}, {"CH.MCH.1.FREQUENCY", "118.000"}}); // decoded afresh
    EXPECT_EQ(engine.Execute("CH.MCH.1.FREQUENCY"), "118.000");
}
