// pwr455-cli compare, doctor and write --fleet end to end, against the tool's in-process
// simulated transceiver.

#include <csignal>
#include <filesystem>

#include <sys/stat.h>

#include "tests/common/cli_tool.h"

namespace {

class SafeCloneCliTest : public CToolTest {
protected:
    SafeCloneCliTest()
    {
        Run({"new", "@new.qrb"});
        Run({"exec", "-o", "@edited.qrb", "COMMON.BEEP=OFF", "CH.MCH.2.FREQUENCY=121.5",
             "CH.MCH.2.APPEAR=ON"});
    }
};

const char kRead[] = "Now reading <- TR\nCloning completed.\n";

} // namespace

TEST_F(SafeCloneCliTest, CompareAndDoctorPrintWhatTheyFoundReadsKeepTheirBackup)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"compare", "@new.qrb"}, 0,
         std::string(kRead) + "The transceiver holds the same data as this document.\n"},
        {{"compare", "@edited.qrb"}, 1,
         std::string(kRead) + "COMMON.BEEP: \"OFF\" -> \"ON\"\nCH.MCH.2.APPEAR: \"ON\" -> \"OFF\"\n"
                              "CH.MCH.2.FREQUENCY: \"121.500\" -> \"0.000\"\n"},
        {{"compare", "@new.qrb", "--fault", "wrong-revision"}, 85, "Err: Illegal information.\n"},
        {{"compare", "@missing.qrb"}, 2, ""},
        {{"doctor", "--fault", "silence"}, 1,
         "PROBLEM  The cable echoed the request, but no transceiver answered.\n"
         "         Fix: Switch the transceiver on and push the plug fully into its clone socket.\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--simulate", "--quiet"});
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << args[1];
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    }
    // A port that is not there is reported once, without a run that could only fail to open it.
    const ProcessResult missing = Run({"doctor", "--port", m_dir.In("ttyGone"), "--quiet"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out.find("information run"), std::string::npos) << missing.out;
    const std::string folder = m_dir.In("data/PW-R455NORD/backups");
    EXPECT_EQ(ListFolder(folder).size(), 2u); // one for each read that got through
    // A backup that cannot be saved is a warning; the read goes on.
    std::filesystem::remove_all(folder);
    WriteFile(folder, "");
    const ProcessResult r = Run({"read", "@read.qrb", "--simulate", "--quiet"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "pwr455-cli: warning: the backup copy was not saved: cannot make the folder '" +
                         folder + "'\n");
    // A target that could be saved when the read began may not be by its end (here the read's
    // own backup folder takes the target's name): the save fails and says where the data are.
    std::filesystem::remove(folder);
    const ProcessResult kept = Run({"read", folder, "--simulate", "--quiet"});
    EXPECT_EQ(kept.status, 77);
    const std::vector<std::string> backups = ListFolder(folder);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(kept.err, "pwr455-cli: cannot save '" + folder + "': " + kNotRegular +
                            "pwr455-cli: the data read are kept in the backup copy '" + folder + "/" +
                            backups[0] + "'\n");
    EXPECT_EQ(Run({"show", folder + "/" + backups[0]}).out, Run({"show", "@new.qrb"}).out);
}

// The fleet's own course is tested on the fake clock; here: Ctrl-C, the log and the status.
TEST_F(SafeCloneCliTest, FleetRunsUntilCtrlCAndAppendsToItsLog)
{
    const std::string line = "Refused: model 2271 revision 0101 is another transceiver; nothing "
                             "written.\n";
    WriteFile(m_dir.In("fleet.log"), "earlier\n");
    ProcessOptions options = Options();
    const std::vector<std::string> args = {"write", "@edited.qrb", "--fleet", "--log", "@fleet.log",
                                           "--simulate", "--fault", "wrong-model", "--quiet"};
    CChildProcess fleet(Argv(args, options), options);
    ASSERT_TRUE(fleet.WaitForOutput(line));
    fleet.Signal(SIGINT);
    const ProcessResult r = fleet.Finish();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("Waiting for transceivers on /dev/pts/", 0), 0u) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 32), "0 written, 1 failed or refused.\n");
    const std::string log = ReadFile(m_dir.In("fleet.log"));
    EXPECT_EQ(log.substr(0, 8), "earlier\n");
    EXPECT_EQ(log.substr(log.size() - line.size()), line);
    EXPECT_EQ(Run({"write", "@new.qrb", "--log", "@x.log", "--simulate"}).err,
              "pwr455-cli write: --log needs --fleet\n");
    ASSERT_EQ(::mkfifo(m_dir.In("fifo").c_str(), 0600), 0); // a log nobody reads: refused at once
    EXPECT_EQ(Run({"write", "@edited.qrb", "--fleet", "--log", "@fifo", "--simulate"}).err,
              At("pwr455-cli: cannot open the log file '@fifo': not a regular file (a folder, a "
                 "device, a pipe or a socket)\n"));
}
