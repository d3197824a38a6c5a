// pwr455-cli compare, doctor and write --fleet end to end, against the tool's in-process
// simulated transceiver.

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/common/child_process.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace {

class SafeCloneCliTest : public ::testing::Test {
protected:
    SafeCloneCliTest()
    {
        Run({"new", m_dir.In("new.qrb")});
        Run({"exec", "-o", m_dir.In("edited.qrb"), "COMMON.BEEP=OFF", "CH.MCH.2.FREQUENCY=121.5",
             "CH.MCH.2.APPEAR=ON"});
    }
    // Arguments: "@" stands for the scratch folder; the backups go there too.
    ProcessResult Run(std::vector<std::string> args) const
    {
        for (std::string& a : args)
            if (a[0] == '@')
                a = m_dir.In(a.substr(1));
        args.insert(args.begin(), PWR_CLI_PATH);
        return RunProcess(args, Options());
    }
    ProcessOptions Options() const
    {
        ProcessOptions options;
        options.env["XDG_CONFIG_HOME"] = m_dir.In("config");
        options.env["XDG_DATA_HOME"] = m_dir.In("data");
        return options;
    }
    std::vector<std::string> Backups() const
    {
        return ListFolder(m_dir.In("data/PW-R455NORD/backups"));
    }

    CScratchDir m_dir;
};

const char kRead[] = "Now reading <- TR\nCloning completed.\n";

} // namespace

TEST_F(SafeCloneCliTest, CompareListsWhatDiffersOrWhyTheReadFailed)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        size_t backups; // after this run
    } cases[] = {
        {{"compare", "@new.qrb", "--simulate"}, 0,
         std::string(kRead) + "The transceiver holds the same data as this document.\n", 1},
        {{"compare", "@edited.qrb", "--simulate"}, 1,
         std::string(kRead) + "COMMON.BEEP: \"OFF\" -> \"ON\"\nCH.MCH.2.APPEAR: \"ON\" -> \"OFF\"\n"
                              "CH.MCH.2.FREQUENCY: \"121.500\" -> \"0.000\"\n", 2},
        {{"compare", "@new.qrb", "--simulate", "--fault", "wrong-revision"}, 85,
         "Err: Illegal information.\n", 2},
        {{"compare", "@new.qrb", "--simulate", "--fault", "too-few=3"}, 77,
         "Now reading <- TR\nErr: Cannot read cloning data.\n", 2},
        {{"compare", "@missing.qrb", "--simulate"}, 2, "", 2},
        {{"compare", "--simulate"}, 2, "", 2},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--quiet");
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << args[1];
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << args[1];
        EXPECT_EQ(Backups().size(), c.backups);
    }
    // A backup that cannot be saved is a warning; the compare goes on.
    const std::string folder = m_dir.In("data/PW-R455NORD/backups");
    std::filesystem::remove_all(folder);
    WriteFile(folder, "");
    const ProcessResult r = Run({"read", "@read.qrb", "--simulate", "--quiet"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "pwr455-cli: warning: the backup copy was not saved: cannot make the folder '" +
                         folder + "'\n");
}

TEST_F(SafeCloneCliTest, DoctorEndsWithTheInformationRun)
{
    const struct {
        const char* fault;
        int status;
        std::string last;
    } cases[] = {
        {"", 0, "ok       The transceiver answered: VX-R455NORD, comment \"\".\n"},
        {"silence", 1, "PROBLEM  The cable echoed the request, but no transceiver answered.\n"
                       "         Fix: Switch the transceiver on and push the plug fully into its "
                       "clone socket.\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"doctor", "--simulate"};
        if (*c.fault)
            args.insert(args.end(), {"--fault", c.fault});
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, c.status);
        ASSERT_GE(r.out.size(), c.last.size());
        EXPECT_EQ(r.out.substr(r.out.size() - c.last.size()), c.last) << r.out;
        EXPECT_NE(r.out.find("ok       Port /dev/pts/"), std::string::npos) << r.out;
    }
}
