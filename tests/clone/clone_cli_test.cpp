// pwr455-cli's clone commands end to end: the built tool against the simulated transceiver,
// served by the tool itself on a pseudo-terminal.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/common/test_files.h"

extern char** environ;

namespace {

bool Exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

// A running pwr455-cli with its standard output on a pipe.
class CTool {
public:
    explicit CTool(const std::vector<std::string>& args)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> all = {PWR_CLI_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all)
            argv.push_back(&a[0]);
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, PWR_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
    }
    ~CTool()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    // The first line of output, waiting at most five seconds.
    std::string FirstLine()
    {
        std::string line;
        char c;
        struct pollfd p = {m_out, POLLIN, 0};
        while (::poll(&p, 1, 5000) > 0 && ::read(m_out, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        return line;
    }

    // Waits for the end and returns the exit status (-1 after a signal); collects the output.
    int Wait()
    {
        char buffer[512];
        ssize_t n;
        while ((n = ::read(m_out, buffer, sizeof buffer)) > 0)
            m_output.append(buffer, static_cast<size_t>(n));
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void Signal(int sig) { ::kill(m_pid, sig); }
    const std::string& Output() const { return m_output; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_output;
};

int RunTool(const std::vector<std::string>& args, std::string* output = nullptr)
{
    CTool tool(args);
    int status = tool.Wait();
    if (output)
        *output = tool.Output();
    return status;
}

class CloneCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pwrcliXXXXXX";
        ASSERT_NE(nullptr, ::mkdtemp(pattern));
        m_dir = pattern;
        // The tool reads its COM port bindings from the profile: keep the user's out of it.
        ::setenv("XDG_CONFIG_HOME", m_dir.c_str(), 1);
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    std::string m_dir;
};

} // namespace

TEST_F(CloneCliTest, ReadThenWriteBackGivesTheSameDataFile)
{
    const std::string original = Path("original.qrb");
    ASSERT_EQ(0, RunTool({"exec", "-o", original, "COMMON.CLONE_COMMENT=E2E TEST"}));
    CTool sim({"simulate", "--image", original});
    const std::string device = sim.FirstLine();
    ASSERT_EQ(0u, device.find("/dev/pts/")) << device;

    std::string output;
    EXPECT_EQ(0, RunTool({"info", "--port", device, "--quiet"}, &output));
    EXPECT_EQ("Model: VX-R455NORD\nComment: E2E TEST        \n", output);

    const std::string first = Path("first.qrb");
    EXPECT_EQ(0, RunTool({"read", first, "--port", device, "--quiet"}, &output));
    EXPECT_EQ("Now reading <- TR\nCloning completed.\n", output);
    EXPECT_EQ(ReadFile(original), ReadFile(first));

    // Change the file, write it, read it back.
    const std::string changed = Path("changed.qrb");
    ASSERT_EQ(0, RunTool({"exec", "-i", first, "-o", changed, "COMMON.CLONE_COMMENT=WRITTEN BACK"}));
    EXPECT_EQ(0, RunTool({"write", changed, "--port", device, "--quiet"}, &output));
    EXPECT_NE(std::string::npos, output.find("Clone writing succeeded.\n\nTurn the transceiver"));
    const std::string second = Path("second.qrb");
    EXPECT_EQ(0, RunTool({"read", second, "--port", device, "--quiet"}));
    EXPECT_EQ(ReadFile(changed), ReadFile(second));
    EXPECT_NE(ReadFile(first), ReadFile(second));

    sim.Signal(SIGTERM);
    EXPECT_EQ(0, sim.Wait());
}

TEST_F(CloneCliTest, PortAndIdentityFailuresGiveTheirResults)
{
    std::string output;
    EXPECT_EQ(91, RunTool({"info", "--port", Path("no-such-device"), "--quiet"}, &output));
    EXPECT_EQ("Err: Cannot access RS-232C port.\nCheck the following:\n\n- The RS-232C port settings.\n"
              "- Cloning cable connections.\n- Transceiver power is ON.\n",
              output);
    EXPECT_EQ(85, RunTool({"info", "--simulate", "--fault", "wrong-model", "--quiet"}, &output));
    EXPECT_EQ(0u, output.find("Err: Illegal information.\nThe transceiver cannot be programmed."));
}

TEST_F(CloneCliTest, FailedReadsLeaveNoFile)
{
    std::string output;
    const std::string out = Path("failed.qrb");
    EXPECT_EQ(77, RunTool({"read", out, "--simulate", "--fault", "bad-end", "--quiet"}, &output));
    EXPECT_EQ(0u, output.find("Now reading <- TR\nErr: Cannot read cloning data.\n"));
    EXPECT_FALSE(Exists(out));
    // Incomplete data are a failed read too.
    EXPECT_EQ(77, RunTool({"read", out, "--simulate", "--fault", "too-few=30", "--quiet"}));
    EXPECT_FALSE(Exists(out));
}

TEST_F(CloneCliTest, RefusedWriteAndBadArguments)
{
    std::string output;
    const std::string file = Path("data.qrb");
    ASSERT_EQ(0, RunTool({"new", file}));
    EXPECT_EQ(77, RunTool({"write", file, "--simulate", "--fault", "refuse-write", "--quiet"}, &output));
    EXPECT_EQ(0u, output.find("Now writing -> TR\nErr: Cannot write cloning data.\n"));

    EXPECT_EQ(2, RunTool({"write", Path("missing.qrb"), "--simulate", "--quiet"}));
    EXPECT_EQ(2, RunTool({"info", "--com", "7"}));
    EXPECT_EQ(2, RunTool({"info", "--simulate", "--port", "/dev/null"}));
    EXPECT_EQ(2, RunTool({"simulate", "--fault", "loud"}));
}

TEST_F(CloneCliTest, ComNumberUsesTheDeviceBoundInTheProfile)
{
    CTool sim({"simulate"});
    const std::string device = sim.FirstLine();
    ASSERT_FALSE(device.empty());
    std::string dir = Path("PW-R455NORD");
    ASSERT_EQ(0, ::mkdir(dir.c_str(), 0700));
    std::ofstream(dir + "/PW-R455NORD.conf") << "[CommPort]\nPortNumber=3\nDevice2=" << Path("none")
                                            << "\nDevice3=" << device << "\n";
    EXPECT_EQ(0, RunTool({"info", "--com", "3", "--quiet"}));
    EXPECT_EQ(0, RunTool({"info", "--quiet"})); // the profile's selected port
    EXPECT_EQ(91, RunTool({"info", "--com", "2", "--quiet"}));
}

TEST_F(CloneCliTest, InterruptCancelsTheRead)
{
    const std::string out = Path("cancelled.qrb");
    CTool read({"read", out, "--simulate", "--realtime", "--quiet"});
    // The read run has begun (about 1.5 s of records at 960 bytes per second follow).
    ASSERT_EQ("Now reading <- TR", read.FirstLine());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    read.Signal(SIGINT);
    EXPECT_EQ(1, read.Wait());
    EXPECT_EQ("Terminated cloning.\n", read.Output());
    EXPECT_FALSE(Exists(out));
}
