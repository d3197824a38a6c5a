// pwr455-cli and the POSIX signals.

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "tests/common/cli_tool.h"

namespace {

// True when one of the descriptors in the folder `fd` (/proc/PID/fd) leads to `path`.
bool HoldsOpen(const std::string& fd, const std::string& path)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fd, ec))
        if (std::filesystem::read_symlink(entry.path(), ec) == path)
            return true;
    return false;
}

using CliTest = CToolTest;

} // namespace

// SIGINT, SIGTERM and SIGHUP end a command at once, even one that waits on a FIFO, and its
// temporary files go with it.
TEST_F(CliTest, SignalsEndEveryCommandAndItsTemporaryFiles)
{
    const std::string fifo = m_dir.In("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A writer that never writes: whoever reads the FIFO waits.
    const int writer = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    std::filesystem::create_directory(m_dir.In("tmp"));
    const std::vector<std::string> commands[] = {{"TMPDIR=@tmp", "check", fifo},
                                                 {"TMPDIR=@tmp", "exec", "-i", fifo},
                                                 {"TMPDIR=@tmp", "simulate", "--image", fifo}};
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        for (const std::vector<std::string>& command : commands) {
            ProcessOptions options = Options();
            CChildProcess tool(Argv(command, options), options);
            // Once the tool has the FIFO open, its temporary files exist and it waits.
            const std::string fd = "/proc/" + std::to_string(tool.Pid()) + "/fd";
            for (int tries = 0; tries < 1000 && !HoldsOpen(fd, fifo); ++tries)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            tool.Signal(sig);
            EXPECT_EQ(tool.Finish().signal, sig) << command[1];
            EXPECT_TRUE(ListFolder(m_dir.In("tmp")).empty()) << command[1];
        }
    }
    ::close(writer);
}
