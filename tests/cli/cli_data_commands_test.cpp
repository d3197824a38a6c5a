#include "cli_runner.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text, const std::string& end = "\r\n")
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t stop = text.find(end, start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + end.size();
    }
    return lines;
}

const char kHeader[] = "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n";

} // namespace

TEST_F(CliTest, NewWritesACloneDataFileThatChecksOk)
{
    CliResult r = RunTool({"new", PathIn("new.qrb")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string text = ReadFile(PathIn("new.qrb"));
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "22700101");
    EXPECT_EQ(lines[1], "#" + std::string(16, ' '));
    EXPECT_EQ(lines[2].substr(0, 6), "001010");

    CliResult check = RunTool({"check", PathIn("new.qrb")});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, "OK\n");
}

TEST_F(CliTest, CheckPrintsTheLoadResult)
{
    ASSERT_EQ(RunTool({"new", PathIn("good.qrb")}).status, 0);
    const std::vector<std::string> good = Lines(ReadFile(PathIn("good.qrb")));
    auto join = [](const std::vector<std::string>& lines, const char* end) {
        std::string text;
        for (const std::string& line : lines)
            text += line + end;
        return text;
    };
    std::vector<std::string> model = good;
    model[0] = "22710101";
    std::vector<std::string> revision = good;
    revision[0] = "22700102";
    std::vector<std::string> shortFile(good.begin(), good.begin() + 10);
    std::vector<std::string> overflow = good;
    overflow.push_back("01F809" + std::string(18, '0'));

    const struct {
        const char* name;
        std::string text;
        const char* word;
    } cases[] = {
        {"lf.qrb", join(good, "\n"), "OK"},
        {"empty.qrb", "", "FORMAT_ERROR"},
        {"model.qrb", join(model, "\r\n"), "MISMATCH_MODEL"},
        {"revision.qrb", join(revision, "\r\n"), "MISMATCH_REVISION"},
        {"short.qrb", join(shortFile, "\r\n"), "NOT_ENOUGH_DATA"},
        {"overflow.qrb", join(overflow, "\r\n"), "DATA_OVERFLOW"},
    };
    for (const auto& c : cases) {
        WriteFile(PathIn(c.name), c.text);
        CliResult r = RunTool({"check", PathIn(c.name)});
        EXPECT_EQ(r.out, std::string(c.word) + "\n") << c.name;
        EXPECT_EQ(r.status, std::string(c.word) == "OK" ? 0 : 1) << c.name;
    }
    CliResult missing = RunTool({"check", PathIn("missing.qrb")});
    EXPECT_EQ(missing.out, "CANNOT_OPEN_FILE\n");
    EXPECT_EQ(missing.status, 1);
}

TEST_F(CliTest, CheckRefusesAPathTheFileCommandCannotCarry)
{
    ASSERT_EQ(RunTool({"new", PathIn("a=b.qrb")}).status, 0);
    CliResult r = RunTool({"check", PathIn("a=b.qrb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pwr455-cli: '" + PathIn("a=b.qrb") +
                         "': The file name cannot be used because it contains a double quote "
                         "(\") or an equals sign (=).\n");
}

TEST_F(CliTest, ExecAnswersEachArgument)
{
    CliResult r = RunTool({"exec", "COMMON.BEEP", "common.beep=off", "NOSUCH", "COMMON.BEEP",
                           "CH.MCH.3.NAME=tower"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ON\nOFF\n\nOFF\nTOWER  \n");
}

TEST_F(CliTest, ExecReadsStandardInputWhenNoCommandIsGiven)
{
    CliResult r = RunTool({"exec"}, "COMMON.BEEP\r\nCOMMON.BEEP=OFF\n\nEDIT_FLAG");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ON\nOFF\n\nON\n");
}

TEST_F(CliTest, ExecOpensAndSaves)
{
    CliResult save = RunTool({"exec", "-o", PathIn("out.qrb"), "COMMON.BEEP=OFF",
                              "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON"});
    EXPECT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(save.out, "OFF\n121.500\nON\n");

    CliResult open = RunTool({"exec", "-i", PathIn("out.qrb"), "EDIT_FLAG", "COMMON.BEEP",
                              "CH.MCH.2.FREQUENCY"});
    EXPECT_EQ(open.status, 0) << open.err;
    EXPECT_EQ(open.out, "OFF\nOFF\n121.500\n");

    // Saving over the file leaves nothing else behind in its folder.
    ASSERT_EQ(RunTool({"exec", "-i", PathIn("out.qrb"), "-o", PathIn("out.qrb"),
                       "COMMON.BEEP=ON"})
                  .status,
              0);
    EXPECT_EQ(RunTool({"exec", "-i", PathIn("out.qrb"), "COMMON.BEEP"}).out, "ON\n");
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(m_dir))
        entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1u);
}

TEST_F(CliTest, ExecWithAFileThatDoesNotLoad)
{
    ASSERT_EQ(RunTool({"new", PathIn("good.qrb")}).status, 0);
    std::string text = ReadFile(PathIn("good.qrb"));
    WriteFile(PathIn("bad.qrb"), "22710101" + text.substr(8));

    CliResult bad = RunTool({"exec", "-i", PathIn("bad.qrb"), "-o", PathIn("out.qrb"),
                             "COMMON.BEEP"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "MISMATCH_MODEL\n");
    EXPECT_EQ(bad.out, "");
    EXPECT_FALSE(fs::exists(PathIn("out.qrb")));

    CliResult missing = RunTool({"exec", "-i", PathIn("missing.qrb"), "COMMON.BEEP"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "CANNOT_OPEN_FILE\n");
}

TEST_F(CliTest, FailedSaveIsReportedAndLeavesNothingBehind)
{
    CliResult r = RunTool({"new", PathIn("no/such/dir/x.qrb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("pwr455-cli: cannot save '" + PathIn("no/such/dir/x.qrb") + "': ", 0),
              0u)
        << r.err;

    // The new file cannot replace the target (a folder): the target stays and nothing is
    // left behind.
    fs::create_directories(m_dir / "target.qrb" / "inside");
    CliResult blocked = RunTool({"exec", "-o", PathIn("target.qrb"), "COMMON.BEEP=OFF"});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(blocked.out, "OFF\n");
    EXPECT_EQ(blocked.err.rfind("pwr455-cli: cannot save '" + PathIn("target.qrb") + "': ", 0), 0u)
        << blocked.err;
    EXPECT_TRUE(fs::is_directory(m_dir / "target.qrb" / "inside"));
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST_F(CliTest, ShowListsChannelsAndSettings)
{
    ASSERT_EQ(RunTool({"exec", "-o", PathIn("s.qrb"), "CH.MCH.2.NAME=tower", "CH.MCH.2.TXINHIBIT=ON", "CH.MCH.2.FREQUENCY=121.5",
                       "CH.MCH.2.APPEAR=ON", "CH.MCH.3.CHLOCKOUT=ON", "CH.MCH.3.FREQUENCY=118.1",
                       "CH.MCH.3.APPEAR=ON", "COMMON.PRIOCH=2", "COMMON.SCAN_PRIO=ON",
                       "COMMON.OPENING_TEXT=HELLO", "COMMON.CLONE_COMMENT=My radio"})
                  .status,
              0);
    CliResult r = RunTool({"show", PathIn("s.qrb")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out, "\n");
    ASSERT_GE(lines.size(), 22u) << r.out;
    EXPECT_EQ(lines[0], "CH  Prio  Frequency  Carrier   Name   Tx Inhibit  Memory Lockout");
    EXPECT_EQ(lines[1], "01        118.000    118.0000");
    EXPECT_EQ(lines[2], "02  Prio  121.500    121.5000  TOWER  Inhibit");
    EXPECT_EQ(lines[3], "03        118.100    118.1000                     Lockout");
    EXPECT_EQ(lines[4], "04");
    EXPECT_EQ(lines[20], "20");
    EXPECT_EQ(lines[21], "");
    const char* settings[] = {
        "ADJ_ENABLE=DISABLE",  "CH_SPACING=25kHz",      "VFOMODE_ENABLE=DISABLE",
        "VFOTX_INHIBIT=ENABLE", "MRWRITE_ENABLE=DISABLE", "INDICATEMODE=FREQ",
        "BEEP=ON",             "BEEP_UDKEY=ON",         "SIDETONE=ON",
        "SCAN_FUNCTION=ON",    "SCAN_MODE=NORMAL",      "SCAN_HANGER=OFF",
        "SCAN_PRIO=ON",        "LCD_BACKLIGHT=ON",      "LCD_DIMMER=HIGH",
        "PRIOCH=2",            "OPENING_TEXT=HELLO",    "CLONE_COMMENT=My radio",
    };
    ASSERT_EQ(lines.size(), 22u + 18u) << r.out;
    for (size_t i = 0; i < 18; ++i)
        EXPECT_EQ(lines[22 + i], settings[i]);
}

TEST_F(CliTest, ExportImportRoundTrip)
{
    ASSERT_EQ(RunTool({"new", PathIn("base.qrb")}).status, 0);
    CliResult exported = RunTool({"export", PathIn("base.qrb")});
    EXPECT_EQ(exported.status, 0) << exported.err;
    std::string expected = kHeader + std::string("1,118.000,,OFF,OFF\r\n");
    for (int ch = 2; ch <= 20; ++ch)
        expected += std::to_string(ch) + ",,,,\r\n";
    EXPECT_EQ(exported.out, expected);

    const std::string csv = std::string(kHeader) + "2,121.500,TOWER,ON,OFF\r\n" +
                            "5,\"136.975\",\"A,B\",OFF,ON\r\n";
    WriteFile(PathIn("in.csv"), csv);
    CliResult imported =
        RunTool({"import", PathIn("in.csv"), "-i", PathIn("base.qrb"), "-o", PathIn("out.qrb")});
    EXPECT_EQ(imported.status, 0) << imported.err;

    ASSERT_EQ(RunTool({"export", PathIn("out.qrb"), "-o", PathIn("out.csv")}).status, 0);
    std::vector<std::string> rows = Lines(ReadFile(PathIn("out.csv")));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[2], "2,121.500,TOWER,ON,OFF");
    EXPECT_EQ(rows[5], "5,136.975,\"A,B\",OFF,ON");
    EXPECT_EQ(rows[6], "6,,,,");

    // Importing the export gives the same file back.
    ASSERT_EQ(RunTool({"import", PathIn("out.csv"), "-o", PathIn("again.qrb")}).status, 0);
    EXPECT_EQ(ReadFile(PathIn("again.qrb")), ReadFile(PathIn("out.qrb")));
}

TEST_F(CliTest, ImportStopsAtABadRowAndWritesNothing)
{
    WriteFile(PathIn("bad.csv"), std::string(kHeader) + "2,121.5,OK,,\r\n4,abc,X,,\r\n");
    CliResult r = RunTool({"import", PathIn("bad.csv"), "-o", PathIn("out.qrb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "pwr455-cli: '" + PathIn("bad.csv") +
                         "': Line 3, field Frequency: \"abc\" is not a frequency in MHz.\n");
    EXPECT_FALSE(fs::exists(PathIn("out.qrb")));

    CliResult missing = RunTool({"import", PathIn("none.csv"), "-o", PathIn("out.qrb")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "pwr455-cli: cannot read '" + PathIn("none.csv") + "'\n");
}

TEST_F(CliTest, DiffListsEveryDifference)
{
    ASSERT_EQ(RunTool({"new", PathIn("a.qrb")}).status, 0);
    ASSERT_EQ(RunTool({"new", PathIn("same.qrb")}).status, 0);
    CliResult same = RunTool({"diff", PathIn("a.qrb"), PathIn("same.qrb")});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(RunTool({"exec", "-i", PathIn("a.qrb"), "-o", PathIn("b.qrb"), "COMMON.BEEP=OFF",
                       "COMMON.OPENING_TEXT=HI", "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON",
                       "CH.MCH.2.NAME=TWR"})
                  .status,
              0);
    CliResult r = RunTool({"diff", PathIn("a.qrb"), PathIn("b.qrb")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "COMMON.BEEP: \"ON\" -> \"OFF\"\n"
                     "COMMON.OPENING_TEXT: \"\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\" -> \"HI     \"\n"
                     "CH.MCH.2.APPEAR: \"OFF\" -> \"ON\"\n"
                     "CH.MCH.2.FREQUENCY: \"0.000\" -> \"121.500\"\n"
                     "CH.MCH.2.NAME: \"       \" -> \"TWR    \"\n");

    WriteFile(PathIn("bad.qrb"), "junk\r\n");
    CliResult bad = RunTool({"diff", PathIn("a.qrb"), PathIn("bad.qrb")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "pwr455-cli: '" + PathIn("bad.qrb") + "': FORMAT_ERROR\n");
}
