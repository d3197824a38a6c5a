// pwr455-cli end to end: the built tool run as a process on files in a scratch folder.

#include <sstream>

#include "cli/find_cable.h"
#include "platform/file_io.h"
#include "profile/profile.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/fake_port_list.h"
#include "platform/file_lock.h"
#include "sim/sim_transceiver.h"
#include "tests/common/cli_tool.h"
#include "tests/common/test_system.h"

namespace {

const char kHeader[] = "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n";
const std::string kTempFolder = "The temporary file cannot be created or opened.\n\n"
                                "Check the free space and the permissions of the temporary folder.\n";
const std::string kNoFileCommands =
    "pwr455-cli exec: file commands are not run here; -i and -o open and save files\n";

using CliTest = CToolTest;

} // namespace

TEST_F(CliTest, HelpVersionAndOneLineUsageErrors)
{
    EXPECT_EQ(Run({"--version"}).out, "pwr455-cli 1.0.0\n");
    EXPECT_EQ(Run({}).status, 2);
    const ProcessResult help = Run({"--help"});
    EXPECT_EQ(help.out.rfind("Usage: pwr455-cli COMMAND [ARGUMENTS]\n", 0), 0u) << help.out;
    for (const char* synopsis :
         {"new OUT", "check FILE", "exec [-i FILE] [-o OUT] [--explain] [COMMAND ...]", "show FILE",
          "export FILE [--format pwr455|chirp] [-o OUT.csv]", "import IN.csv [-i BASE] [--from CH] -o OUT", "diff A B", "sort FILE --by frequency|name -o OUT", "info [PORT]",
          "read OUT [PORT]", "write FILE [--fleet [--log LOG]] [PORT]", "ports [--find [--bind N] [--info]]",
          "simulate [--image FILE] [--fault NAME ...] [--realtime]"}) {
        const std::string s = synopsis;
        // Where the simulated transceiver cannot run (no pseudo-terminal), its command is not offered.
        const bool offered = s.rfind("simulate", 0) != 0 || CSimTransceiver::IsSupported();
        EXPECT_EQ(help.out.find("\n  " + s + " ") != std::string::npos, offered) << s;
        EXPECT_EQ(Run({s.substr(0, s.find(' ')), "--help"}).out.rfind("Usage: pwr455-cli " + s + "\n", 0), 0u) << s;
    }
    RunSteps({
        {{"frobnicate"}, 2, "", "pwr455-cli: unknown command 'frobnicate' (run 'pwr455-cli --help')\n"},
        {{"new", "-x", "out.qrb"}, 2, "",
         "pwr455-cli new: unknown option '-x' (run 'pwr455-cli new --help')\n"},
        {{"exec", "-i"}, 2, "", "pwr455-cli exec: option '-i' needs a value\n"},
        {{"new"}, 2, "", "pwr455-cli new: wrong arguments (run 'pwr455-cli new --help')\n"},
        {{"import", "in.csv"}, 2, "", "pwr455-cli import: option '-o' is required\n"},
        {{"info", "--com", "7"}, 2, "", "pwr455-cli info: '7' is not a COM port number (1 to 4)\n"},
        {{"ports", "--find", "--bind", "7"}, 2, "", "pwr455-cli ports: '7' is not a COM port number (1 to 4)\n"},
        {{"ports", "--info"}, 2, "", "pwr455-cli ports: --bind and --info go with --find\n"},
        {{"info", "--port", ""}, 2, "", "pwr455-cli info: --port needs a device name\n"},
        {{"info", "--port", std::string(255, '/') + "dev/null"}, 91, "",
         "pwr455-cli info: the port's device name is longer than 255 bytes\n"},
        {{"info", "--simulate", "--port", "/dev/null"}, 2, "",
         "pwr455-cli info: give only one of --port, --com and --simulate\n"},
        {{"simulate", "--fault", "loud"}, 2, "",
         "pwr455-cli simulate: unknown fault 'loud' (run 'pwr455-cli simulate --help')\n"},
        {{"simulate", "--quiet"}, 2, "",
         "pwr455-cli simulate: unknown option '--quiet' (run 'pwr455-cli simulate --help')\n"},
    });
}

// ports --find on a list that changes, on the fake clock: the prompts on the standard error,
// the port alone on the standard output, and the binding saved.
TEST_F(CliTest, PortsFindPrintsThePortThatCameAndBindsIt)
{
    const std::string unplug = "Unplug the cloning cable from the computer. If it is not plugged in, plug it in now.\n";
    const struct {
        std::vector<std::vector<std::string>> looks;
        int status;
        std::string out, err;
    } cases[] = {
        {{{"/dev/ttyS0", "/dev/ttyUSB0"}, {"/dev/ttyS0"}, {"/dev/ttyS0", "/dev/ttyUSB0"}}, 0, "/dev/ttyUSB0\n",
         unplug + "Now plug the cable in again.\nThe cable is on /dev/ttyUSB0.\nCOM2 is now /dev/ttyUSB0, and it is the port chosen.\n"},
        {{{"/dev/ttyS0"}}, 1, "", unplug + "No port came within 60 seconds. Check that the cable is plugged in all the way, or try another USB socket.\n"},
    };
    for (const auto& c : cases) {
        CScriptedPortList ports(c.looks);
        CFakeCloneClock clock;
        CProfile profile(m_dir.In("p.conf"));
        std::istringstream in;
        std::ostringstream out, err;
        CCliIo io{in, out, err};
        std::string found;
        EXPECT_EQ(FindCable(io, ports, clock, [] { return false; }, 2, profile, &found), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
    const CProfile saved(m_dir.In("p.conf"));
    EXPECT_EQ(saved.GetPortDevice(2), "/dev/ttyUSB0");
    EXPECT_EQ(saved.GetPortNumber(), 2);
}

TEST_F(CliTest, NewAndExec)
{
    ASSERT_EQ(Run({"new", "@a.qrb"}).status, 0);
    const std::string made = ReadFile(m_dir.In("a.qrb"));
    WriteFile(m_dir.In("c.qrb"), "22710101" + made.substr(8));
    RunSteps({
        {{"exec", "COMMON.BEEP", "common.beep=off", "NOSUCH", "COMMON.BEEP", "CH.MCH.3.NAME=tower",
          "CH.MCH.3.NAME=\xC3\x98rsta"}, // the engine's language: one blank for a letter it lacks
         0, "ON\nOFF\n\nOFF\nTOWER  \n RSTA  \n"},
        {{"exec"}, 0, "ON\nOFF\n\nON\n", "", "COMMON.BEEP\r\nCOMMON.BEEP=OFF\n\nEDIT_FLAG"},
        {{"exec", "-o", "@b.qrb", "COMMON.BEEP=OFF", "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON"},
         0, "OFF\n121.500\nON\n"},
        {{"exec", "-i", "@b.qrb", "EDIT_FLAG", "COMMON.BEEP", "CH.MCH.2.FREQUENCY"}, 0,
         "OFF\nOFF\n121.500\n"},
        {{"exec", "FILE.SAVE.\"@x.qrb\"", "file.Load.\"@b.qrb\"", "COMMON.BEEP"}, 0, "\n\nON\n",
         kNoFileCommands + kNoFileCommands},
        {{"exec", "-i", "@b.qrb", "-o", "@b.qrb", "COMMON.BEEP=ON"}, 0, "ON\n"},
        {{"exec", "-i", "@b.qrb", "--", "COMMON.BEEP"}, 0, "ON\n"},
        {{"exec", "-i", "@missing.qrb", "COMMON.BEEP"}, 1, "",
         "pwr455-cli: cannot open '@missing.qrb': " + MissingFileReason() + "\n"},
        {{"write", "@missing.qrb", "--simulate"}, 2, "",
         "pwr455-cli: cannot open '@missing.qrb': " + MissingFileReason() + "\n"},
        {{"exec", "-i", "@c.qrb", "-o", "@d.qrb", "COMMON.BEEP"}, 1, "",
         "pwr455-cli: '@c.qrb': a clone data file of another transceiver model\n"},
    });
    const std::vector<std::string> lines = SplitCrLf(made);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0] + "|" + lines[1] + "|" + lines[2].substr(0, 6), "22700101|#                |001010");
    // Saving over a file leaves nothing else behind in its folder.
    EXPECT_EQ(m_dir.Entries(), (std::vector<std::string>{"a.qrb", "b.qrb", "c.qrb"}));
}

// --simulate on every system: through the serial code and a pseudo-terminal where there is
// one, over a line in memory elsewhere (Windows).
TEST_F(CliTest, SimulateServesTheCloneCommandsInTheToolItself)
{
    RunSteps({
        {{"info", "--simulate", "--quiet"}, 0, "Model: VX-R455NORD\nComment: " + std::string(16, ' ') + "\n"},
        {{"read", "@read.qrb", "--simulate", "--quiet"}, 0, "Now reading <- TR\nCloning completed.\n"},
    });
    EXPECT_EQ(Run({"write", "@read.qrb", "--simulate", "--fault", "refuse-write", "--quiet"}).status, 77);
    EXPECT_EQ(Run({"info", "--simulate", "--fault", "wrong-model", "--quiet"}).status, 85);
}

// Which answer each kind of file gets is File Open's concern; here: the line ends and the names
// it takes, and that the answer is the output and the exit status.
TEST_F(CliTest, CheckGivesTheWordOfFileOpen)
{
    ASSERT_EQ(Run({"new", "@good.qrb"}).status, 0);
    const std::vector<std::string> good = SplitCrLf(ReadFile(m_dir.In("good.qrb")));
    auto file = [&](const char* first, const char* end) {
        std::string text = std::string(first) + end;
        for (size_t i = 1; i < good.size(); ++i)
            text += good[i] + end;
        return text;
    };
    WriteFile(m_dir.In("lf.qrb"), file("22700101", "\n"));
    WriteFile(m_dir.In("a=b.qrb"), file("22700101", "\r\n"));
    WriteFile(m_dir.In("revision.qrb"), file("22700102", "\r\n"));
    std::filesystem::create_directory(m_dir.In("folder.qrb"));
    RunSteps({
        {{"check", "@lf.qrb"}, 0, "OK\n"},
        {{"check", "@a=b.qrb"}, 0, "OK\n"},
        {{"check", "@revision.qrb"}, 1, "MISMATCH_REVISION\n",
         "pwr455-cli: '@revision.qrb': a clone data file of another revision\n"},
        {{"check", "@folder.qrb"}, 1, "CANNOT_OPEN_FILE\n",
         "pwr455-cli: cannot open '@folder.qrb': it is a folder or a device, not a data file\n"},
        {{"TMPDIR=@missing", "check", "@lf.qrb"}, 1, "", "pwr455-cli: '@lf.qrb': " + kTempFolder},
    });
}

TEST_F(CliTest, ShowListsChannelsAndSettings)
{
    const std::vector<std::string> edits = {
        "exec", "-o", "@s.qrb", "CH.MCH.2.NAME=tower", "CH.MCH.2.TXINHIBIT=ON",
        "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON", "CH.MCH.3.CHLOCKOUT=ON",
        "CH.MCH.3.FREQUENCY=118.1", "CH.MCH.3.APPEAR=ON", "COMMON.PRIOCH=2", "COMMON.SCAN_PRIO=ON",
        "COMMON.OPENING_TEXT=HE\x1b[2J", "COMMON.CLONE_COMMENT=My radio"}; // no escape reaches a terminal
    ASSERT_EQ(Run(edits).status, 0);
    std::string expected = "CH  Prio  Frequency  Carrier   Name   Tx Inhibit  Memory Lockout\n"
                           "01        118.000    118.0000\n"
                           "02  Prio  121.500    121.5000  TOWER  Inhibit\n"
                           "03        118.100    118.1000                     Lockout\n";
    for (int ch = 4; ch <= 20; ++ch)
        expected += (ch < 10 ? "0" : "") + std::to_string(ch) + "\n";
    expected += "\nADJ_ENABLE=DISABLE\nCH_SPACING=25kHz\nVFOMODE_ENABLE=DISABLE\nVFOTX_INHIBIT=ENABLE\n"
                "MRWRITE_ENABLE=DISABLE\nINDICATEMODE=FREQ\nBEEP=ON\nBEEP_UDKEY=ON\nSIDETONE=ON\n"
                "SCAN_FUNCTION=ON\nSCAN_MODE=NORMAL\nSCAN_HANGER=OFF\nSCAN_PRIO=ON\nLCD_BACKLIGHT=ON\n"
                "LCD_DIMMER=HIGH\nPRIOCH=2\nOPENING_TEXT=HE [2J\nCLONE_COMMENT=My radio\n";
    RunSteps({{{"show", "@s.qrb"}, 0, expected}});
}

TEST_F(CliTest, ExportImportAndDiff)
{
    std::string blank = std::string(kHeader) + "1,118.000,,OFF,OFF\r\n";
    for (int ch = 2; ch <= 20; ++ch)
        blank += std::to_string(ch) + ",,,,\r\n";
    WriteFile(m_dir.In("in.csv"), std::string(kHeader) + "2,121.500,T\xC3\xA5rn,ON,OFF\r\n"
                                      + "5,\"136.975\",\"A,B\",OFF,ON\r\n");
    WriteFile(m_dir.In("bad.csv"), std::string(kHeader) + "2,121.5,OK,,\r\n4,abc,X,,\r\n");
    WriteFile(m_dir.In("bad.qrb"), "junk\r\n");
    RunSteps({
        {{"new", "@base.qrb"}, 0, ""},
        {{"export", "@base.qrb"}, 0, blank},
        {{"import", "@in.csv", "-i", "@base.qrb", "-o", "@out.qrb"}, 0, "",
         "CH 02: the name \"T\xC3\xA5rn\" is stored as \"TARN\" (letters spelled as ICAO writes "
         "them, upper case)\n"},
        {{"export", "@out.qrb", "-o", "@out.csv"}, 0, ""},
        {{"import", "@out.csv", "-o", "@again.qrb"}, 0, ""},
        {{"import", "@bad.csv", "-o", "@none.qrb"}, 1, "",
         "pwr455-cli: '@bad.csv': Line 3, field Frequency: \"abc\" is not a frequency in MHz.\n"},
        {{"import", "@missing.csv", "-o", "@none.qrb"}, 1, "",
         "pwr455-cli: cannot read '@missing.csv': " + MissingFileReason() + "\n"},
        {{"diff", "@out.qrb", "@again.qrb"}, 0, ""},
        {{"diff", "@base.qrb", "@out.qrb"}, 1,
         "CH.MCH.2.APPEAR: \"OFF\" -> \"ON\"\nCH.MCH.2.FREQUENCY: \"0.000\" -> \"121.500\"\n"
         "CH.MCH.2.NAME: \"       \" -> \"TARN   \"\nCH.MCH.2.TXINHIBIT: \"OFF\" -> \"ON\"\n"
         "CH.MCH.5.APPEAR: \"OFF\" -> \"ON\"\nCH.MCH.5.FREQUENCY: \"0.000\" -> \"136.975\"\n"
         "CH.MCH.5.NAME: \"       \" -> \"A,B    \"\nCH.MCH.5.CHLOCKOUT: \"OFF\" -> \"ON\"\n"},
        {{"exec", "-i", "@base.qrb", "-o", "@b.qrb", "COMMON.OPENING_TEXT=HI"}, 0, "HI     \n"},
        {{"diff", "@base.qrb", "@b.qrb"}, 1,
         "COMMON.OPENING_TEXT: \"\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\\xFF\" -> \"HI     \"\n"},
        {{"diff", "@base.qrb", "@bad.qrb"}, 2, "", "pwr455-cli: '@bad.qrb': not a clone data file\n"},
    });
    const std::vector<std::string> rows = SplitCrLf(ReadFile(m_dir.In("out.csv")));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[2] + "|" + rows[5] + "|" + rows[6], "2,121.500,TARN,ON,OFF|5,136.975,\"A,B\",OFF,ON|6,,,,");
    EXPECT_EQ(ReadFile(m_dir.In("again.qrb")), ReadFile(m_dir.In("out.qrb")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.In("none.qrb")));
}

// A list made for another radio: numbered from 0, with rows this transceiver cannot hold.
TEST_F(CliTest, ChannelListsInTheLayoutOfChirpBothWays)
{
    WriteFile(m_dir.In("club.csv"), "Location;Name;Frequency;Duplex;Mode;TStep;Skip\r\n"
                                    "0;KJELLER;119,100000;;AM;25.00;\r\n"
                                    "1;2M RPT;145.600000;-;FM;12.50;\r\n"
                                    "2;ATIS;126.125000;off;AM;25.00;S\r\n");
    RunSteps({
        {{"import", "@club.csv", "--from", "4", "-o", "@club.qrb"}, 0,
         "Rows that became channels: 2. Rows left out: 1.\nLeft out, mode other than AM: line 3\n"},
        {{"export", "--format", "chirp", "@club.qrb", "-o", "@out.csv"}, 0, ""},
        {{"import", "@out.csv", "-o", "@again.qrb"}, 0, "Rows that became channels: 3. Rows left out: 0.\n"},
        {{"diff", "@club.qrb", "@again.qrb"}, 0, ""},
        {{"import", "@club.csv", "-o", "@none.qrb"}, 0,
         "Rows that became channels: 1. Rows left out: 2.\nLeft out, mode other than AM: line 3\n"
         "Left out, Location is not a channel from 1 to 20: line 2\n"},
        {{"export", "--format", "qdmr", "@club.qrb"}, 2, "",
         "pwr455-cli export: 'qdmr' is not an export format (pwr455 or chirp)\n"},
        {{"import", "@club.csv", "--from", "21", "-o", "@none.qrb"}, 2, "",
         "pwr455-cli import: '21' is not a channel number (1 to 20)\n"},
        {{"export", "@club.qrb", "-o", "@own.csv"}, 0, ""},
        {{"import", "@own.csv", "--from", "2", "-o", "@none.qrb"}, 2, "",
         "pwr455-cli import: --from applies only to files in the CSV layout of CHIRP\n"},
    });
    EXPECT_EQ(SplitCrLf(ReadFile(m_dir.In("out.csv"))).at(3),
              "5,ATIS,126.125000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,S,,,,,,");
}

TEST_F(CliTest, CheckedOutputs)
{
    ASSERT_EQ(Run({"new", "@a.qrb"}).status, 0);
    ASSERT_EQ(Run({"export", "@a.qrb", "-o", "@a.csv"}).status, 0);
    std::filesystem::create_hard_link(m_dir.In("a.qrb"), m_dir.In("h.qrb"));
    std::filesystem::create_directories(m_dir.Path() / "target.qrb" / "inside");
    RunSteps({
        {{"export", "@a.qrb", "-o", "@a.qrb"}, 1, "", "pwr455-cli: cannot save '@a.qrb': it is also the input file\n"},
        {{"card", "@a.qrb", "-o", "@h.qrb"}, 1, "", "pwr455-cli: cannot save '@h.qrb': it is also the input file\n"},
        {{"airports", "X", "--data", "@a.csv", "-o", "@a.csv"}, 1, "",
         "pwr455-cli: cannot save '@a.csv': it is also the input file\n"},
        {{"new", "@no/such/dir/x.qrb"}, 1, "",
         "pwr455-cli: cannot save '@no/such/dir/x.qrb': cannot create a new file in the target's "
         "folder\n"},
        {{"exec", "-o", "@target.qrb", "COMMON.BEEP=OFF"}, 1, "OFF\n",
         "pwr455-cli: cannot save '@target.qrb': " + kNotRegular},
        {{"TMPDIR=@missing", "new", "@t.qrb"}, 1, "", "pwr455-cli: cannot save '@t.qrb': " + kTempFolder},
        {{"TMPDIR=", "new", "@u.qrb"}, 0, ""},
    });
    EXPECT_EQ(m_dir.Entries(), (std::vector<std::string>{"a.csv", "a.qrb", "h.qrb", "target.qrb", "u.qrb"}));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "target.qrb" / "inside"));
}

// Two commands that change one file take turns: the second waits, says so, and builds on what
// the first saved (a save puts a new file in the old one's place: the wait follows it there).
TEST_F(CliTest, UpdatesOfOneFileTakeTurns)
{
    ASSERT_EQ(Run({"new", "@f.qrb"}).status, 0);
    CFileLock first(m_dir.In("f.qrb"));
    ASSERT_EQ(first.TryLock(), CFileLock::EResult::Locked);
    ProcessOptions options = Options();
    CChildProcess second(Argv({"exec", "-i", "@f.qrb", "-o", "@f.qrb", "COMMON.SIDETONE=OFF"}, options),
                         options);
    ASSERT_TRUE(second.WaitForOutput("waiting", CChildProcess::kPatienceMs, true));
    ASSERT_EQ(Run({"exec", "-o", "@g.qrb", "COMMON.BEEP=OFF"}).status, 0);
    ASSERT_EQ(WriteFileAtomically(m_dir.In("f.qrb"), ReadFile(m_dir.In("g.qrb"))), EFileError::None);
    first.Unlock();
    const ProcessResult r = second.Finish();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, At("pwr455-cli: waiting for another program to finish changing '@f.qrb'\n"));
    RunSteps({{{"exec", "-i", "@f.qrb", "COMMON.BEEP", "COMMON.SIDETONE"}, 0, "OFF\nOFF\n"}});
}

TEST_F(CliTest, SortKeepsThePriorityChannelWithItsChannelAndExecExplains)
{
    ASSERT_EQ(Run({"exec", "-o", "@a.qrb", "CH.MCH.2.ALL=APPEAR=ON\tFREQUENCY=118.5\tNAME=ZULU",
                   "CH.MCH.3.ALL=APPEAR=ON\tFREQUENCY=118.25\tNAME=ALPHA", "COMMON.PRIOCH=3"}).status, 0);
    RunSteps({
        {{"sort", "@a.qrb", "--by", "name", "-o", "@b.qrb"}, 0, "Channels sorted by name\n"},
        {{"sort", "@b.qrb", "--by", "name", "-o", "@b.qrb"}, 0, "The channels are already in that order\n"},
        {{"sort", "@a.qrb", "--by", "frequency", "-o", "@c.qrb"}, 0, "Channels sorted by frequency\n"},
        {{"exec", "-i", "@c.qrb", "CH.MCH.2.NAME", "COMMON.PRIOCH"}, 0, "ALPHA  \n2\n"},
        {{"exec", "--explain", "CH.MCH.4.FREQUENCY=150", "CH.MCH.4.APPEAR=ON", "CH.MCH.4.NAME=tower",
          "CH.MCH.5.FREQUENCY=121.51"}, 0, "150.000\nON\nTOWER  \n121.510\n",
         "CH 04: 150.000 MHz is outside the air band; stored as 136.975\nCH 04: the name \"tower\" is "
         "stored as \"TOWER\" (upper case)\nCH 05: 121.510 stored as 121.500, the nearest 25 kHz channel\n"},
    });
}
