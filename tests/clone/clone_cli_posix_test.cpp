// pwr455-cli's clone commands end to end: the built tool against the simulated transceiver,
// served by the tool itself on a pseudo-terminal.

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "clone/comm_port.h"
#include "tests/common/cli_tool.h"

using CloneCliTest = CToolTest;

TEST_F(CloneCliTest, ReadThenWriteBackGivesTheSameDataFile)
{
    ASSERT_EQ(Run({"exec", "-o", "@original.qrb", "COMMON.CLONE_COMMENT=E2E TEST"}).status, 0);
    ProcessOptions options = Options();
    CChildProcess sim(Argv({"simulate", "--image", "@original.qrb"}, options), options);
    ASSERT_TRUE(sim.WaitForOutput("\n"));
    const std::string device = sim.Out().substr(0, sim.Out().find('\n'));
    ASSERT_EQ(device.find("/dev/pts/"), 0u) << device;

    // What the profile's reader does not understand costs one line of ours, no more.
    std::filesystem::create_directories(m_dir.In("config/PW-R455NORD"));
    WriteFile(m_dir.In("config/PW-R455NORD/PW-R455NORD.conf"), "[CommPort\n=\n[A]\n[A]\n");
    EXPECT_EQ(Run({"info", "--simulate", "--quiet"}).err, ""); // not even read
    EXPECT_EQ(Run({"info", "--com", "2", "--quiet"}).err,
              At("pwr455-cli: warning: the profile '@config/PW-R455NORD/PW-R455NORD.conf' has "
                 "lines that are not understood; they are left as they are\n"));
    // The profile binds COM3 to the transceiver and selects it; COM2 leads nowhere.
    WriteFile(m_dir.In("config/PW-R455NORD/PW-R455NORD.conf"),
              At("[CommPort]\nPortNumber=3\nDevice2=@none\nDevice3=") + device + "\n");
    EXPECT_EQ(Run({"info", "--com", "3", "--quiet"}).out,
              "Model: VX-R455NORD\nComment: E2E TEST        \n");
    // A device name of the longest length allowed reaches its device.
    const std::string longest = std::string(CCommPort::kMaxPortName - device.size(), '/') + device;
    EXPECT_EQ(Run({"info", "--port", longest, "--quiet"}).out,
              "Model: VX-R455NORD\nComment: E2E TEST        \n");
    EXPECT_EQ(Run({"info", "--com", "2", "--quiet"}).status, 91);
    EXPECT_EQ(Run({"read", "@first.qrb", "--quiet"}).out, // the port the profile selects
              "Now reading <- TR\nCloning completed.\n");
    EXPECT_EQ(ReadFile(m_dir.In("original.qrb")), ReadFile(m_dir.In("first.qrb")));
    const std::vector<std::string> change = {"exec", "-i", "@first.qrb", "-o", "@changed.qrb",
                                             "COMMON.CLONE_COMMENT=WRITTEN BACK"};
    ASSERT_EQ(Run(change).status, 0);
    EXPECT_EQ(Run({"write", "@changed.qrb", "--port", device, "--quiet"}).out,
              "Now writing -> TR\nCloning completed.\nClone writing succeeded.\n\nTurn the transceiver "
              "power off and on to use\nthe transceiver under its new conditions.\n");
    EXPECT_EQ(Run({"read", "@second.qrb", "--port", device, "--quiet"}).status, 0);
    EXPECT_EQ(ReadFile(m_dir.In("changed.qrb")), ReadFile(m_dir.In("second.qrb")));

    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.Finish().status, 0);
}

// Which result each fault gives is the clone operations' concern; here: the report as printed.
TEST_F(CloneCliTest, FailedReadPrintsItsReportAndSavesNothing)
{
    RunSteps({{{"read", "@data.qrb", "--simulate", "--fault", "bad-end", "--quiet"}, 77,
               "Now reading <- TR\nErr: Cannot read cloning data.\nCheck the following:\n\n"
               "- The RS-232C port settings.\n- Cloning cable connections.\n- Appropriate cloning "
               "software for the transceiver is being used.\n- The revision number of the "
               "transceiver.\n"}});
    EXPECT_TRUE(m_dir.Entries().empty());
}

TEST_F(CloneCliTest, InterruptCancelsTheRead)
{
    ProcessOptions options = Options();
    CChildProcess read(
        Argv({"read", "@cancelled.qrb", "--simulate", "--realtime", "--quiet"}, options), options);
    ASSERT_TRUE(read.WaitForOutput("Now reading <- TR\n"));
    read.Signal(SIGINT);
    const ProcessResult r = read.Finish();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Now reading <- TR\nTerminated cloning.\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.In("cancelled.qrb")));
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
    CChildProcess read(Argv({"read", "@out.qrb", "--simulate", "--quiet"}, options), options);
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
