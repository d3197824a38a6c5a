// pwr455-cli's clone commands end to end: the built tool against the simulated transceiver,
// served by the tool itself on a pseudo-terminal.

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/common/child_process.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace {

class CloneCliTest : public ::testing::Test {
protected:
    // The tool reads its COM port bindings from the profile and keeps backups of what it reads:
    // keep the user's profile and backups out of it.
    ProcessOptions Options() const
    {
        ProcessOptions options;
        options.env["XDG_CONFIG_HOME"] = m_dir.In("config");
        options.env["XDG_DATA_HOME"] = m_dir.In("data");
        return options;
    }
    static std::vector<std::string> Tool(std::vector<std::string> args)
    {
        args.insert(args.begin(), PWR_CLI_PATH);
        return args;
    }
    ProcessResult Run(const std::vector<std::string>& args) const { return RunProcess(Tool(args), Options()); }

    // A simulated transceiver served by the tool; returns its device.
    std::string Serve(std::unique_ptr<CChildProcess>& sim, std::vector<std::string> args) const
    {
        args.insert(args.begin(), "simulate");
        sim = std::make_unique<CChildProcess>(Tool(args), Options());
        return sim->WaitForOutput("\n") ? sim->Out().substr(0, sim->Out().find('\n')) : "";
    }

    CScratchDir m_dir;
};

const char kCheckSoftware[] = "Check the following:\n\n- The RS-232C port settings.\n"
                              "- Cloning cable connections.\n";

} // namespace

TEST_F(CloneCliTest, ReadThenWriteBackGivesTheSameDataFile)
{
    const std::string original = m_dir.In("original.qrb"), first = m_dir.In("first.qrb");
    const std::string changed = m_dir.In("changed.qrb"), second = m_dir.In("second.qrb");
    ASSERT_EQ(Run({"exec", "-o", original, "COMMON.CLONE_COMMENT=E2E TEST"}).status, 0);
    std::unique_ptr<CChildProcess> sim;
    const std::string device = Serve(sim, {"--image", original});
    ASSERT_EQ(device.find("/dev/pts/"), 0u) << device;

    EXPECT_EQ(Run({"info", "--port", device, "--quiet"}).out,
              "Model: VX-R455NORD\nComment: E2E TEST        \n");
    EXPECT_EQ(Run({"read", first, "--port", device, "--quiet"}).out,
              "Now reading <- TR\nCloning completed.\n");
    EXPECT_EQ(ReadFile(original), ReadFile(first));
    // Change the file, write it, read it back.
    ASSERT_EQ(Run({"exec", "-i", first, "-o", changed, "COMMON.CLONE_COMMENT=WRITTEN BACK"}).status, 0);
    EXPECT_EQ(Run({"write", changed, "--port", device, "--quiet"}).out,
              "Now writing -> TR\nCloning completed.\nClone writing succeeded.\n\nTurn the transceiver "
              "power off and on to use\nthe transceiver under its new conditions.\n");
    EXPECT_EQ(Run({"read", second, "--port", device, "--quiet"}).status, 0);
    EXPECT_EQ(ReadFile(changed), ReadFile(second));
    EXPECT_NE(ReadFile(first), ReadFile(second));

    sim->Signal(SIGTERM);
    EXPECT_EQ(sim->Finish().status, 0);
}

// Every failure gives its result and texts and leaves the file named as it was.
TEST_F(CloneCliTest, FailuresGiveTheirResults)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out; // the start of the output
    } cases[] = {
        {{"info", "--port", m_dir.In("no-such-device")}, 91,
         std::string("Err: Cannot access RS-232C port.\n") + kCheckSoftware + "- Transceiver power is ON.\n"},
        {{"info", "--simulate", "--fault", "wrong-revision", "--fault", "wrong-model"}, 85,
         "Err: Illegal information.\nThe transceiver cannot be programmed."},
        {{"read", "@", "--simulate", "--fault", "bad-end"}, 77,
         std::string("Now reading <- TR\nErr: Cannot read cloning data.\n") + kCheckSoftware},
        {{"read", "@", "--simulate", "--fault", "too-few=30"}, 77, "Now reading <- TR\nErr: Cannot read"},
        {{"write", "@", "--simulate", "--fault", "refuse-write"}, 77,
         "Now writing -> TR\nErr: Cannot write cloning data.\n"},
        {{"write", m_dir.In("missing.qrb"), "--simulate"}, 2, ""},
    };
    const std::string file = m_dir.In("data.qrb");
    ASSERT_EQ(Run({"new", file}).status, 0);
    const std::string before = ReadFile(file);
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        for (std::string& a : args)
            a = a == "@" ? file : a;
        args.push_back("--quiet");
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.status, c.status) << args[0] << " " << args.back();
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(ReadFile(file), before);
    }
}

TEST_F(CloneCliTest, ComNumberUsesTheDeviceBoundInTheProfile)
{
    std::unique_ptr<CChildProcess> sim;
    const std::string device = Serve(sim, {});
    ASSERT_FALSE(device.empty());
    std::filesystem::create_directories(m_dir.In("config/PW-R455NORD"));
    std::ofstream(m_dir.In("config/PW-R455NORD/PW-R455NORD.conf"))
        << "[CommPort]\nPortNumber=3\nDevice2=" << m_dir.In("none") << "\nDevice3=" << device << "\n";
    EXPECT_EQ(Run({"info", "--com", "3", "--quiet"}).status, 0);
    EXPECT_EQ(Run({"info", "--quiet"}).status, 0); // the profile's selected port
    EXPECT_EQ(Run({"info", "--com", "2", "--quiet"}).status, 91);
}

TEST_F(CloneCliTest, InterruptCancelsTheRead)
{
    const std::string out = m_dir.In("cancelled.qrb");
    CChildProcess read(Tool({"read", out, "--simulate", "--realtime", "--quiet"}), Options());
    // Ctrl-C once the read has begun.
    ASSERT_TRUE(read.WaitForOutput("Now reading <- TR\n"));
    read.Signal(SIGINT);
    const ProcessResult r = read.Finish();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Now reading <- TR\nTerminated cloning.\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Ctrl-C after the run, just before the save, still cancels the read and keeps OUT as it was.
// The output pipe has room for the first status line only, so the tool stops in its second,
// "Cloning completed.", which comes after the run and before the save.
TEST_F(CloneCliTest, InterruptAfterTheRunStillCancelsTheRead)
{
    const std::string fifo = m_dir.In("out.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int pipe = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_EQ(::fcntl(pipe, F_SETPIPE_SZ, 4096), 4096); // one page
    const std::string junk(4096 - 18, '.');             // room left for "Now reading <- TR\n"
    ASSERT_EQ(::write(pipe, junk.data(), junk.size()), static_cast<ssize_t>(junk.size()));
    ProcessOptions options = Options();
    options.outputFile = fifo;
    CChildProcess read(Tool({"read", m_dir.In("out.qrb"), "--simulate", "--quiet"}), options);
    // Waits until the tool is stopped in a write() to its full output other than `except`.
    const std::string syscall = "/proc/" + std::to_string(read.Pid()) + "/syscall";
    auto blockedWrite = [&](const std::string& except) {
        std::string state;
        for (int tries = 0; tries < 3000; ++tries, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            if ((state = ReadFile(syscall)).rfind(std::to_string(SYS_write) + " 0x1 ", 0) == 0 && state != except)
                break;
        return state;
    };
    const std::string completed = blockedWrite("");
    read.Signal(SIGINT);
    blockedWrite(completed); // the tool's last words after the signal
    std::string output;
    for (int tries = 0; tries < 3000 && output.find("cloning.\n") == std::string::npos; ++tries) {
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipe, buffer, sizeof buffer)) > 0;)
            output.append(buffer, static_cast<size_t>(n));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(read.Finish().status, 1);
    EXPECT_EQ(output.substr(output.find_first_not_of('.')), "Now reading <- TR\nTerminated cloning.\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.In("out.qrb")));
    ::close(pipe);
}

// The serial device gets back the line settings it had before the tool opened it.
TEST_F(CloneCliTest, ThePortKeepsItsLineSettings)
{
    std::unique_ptr<CChildProcess> sim;
    const std::string device = Serve(sim, {});
    const int port = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    struct termios before;
    ASSERT_EQ(::tcgetattr(port, &before), 0);
    ::cfsetspeed(&before, B4800);
    before.c_lflag |= ICANON | ECHO;
    ASSERT_EQ(::tcsetattr(port, TCSANOW, &before), 0);
    EXPECT_EQ(Run({"info", "--port", device, "--quiet"}).status, 0);
    struct termios after;
    ASSERT_EQ(::tcgetattr(port, &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), static_cast<speed_t>(B4800));
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    ::close(port);
}
