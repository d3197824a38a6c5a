// The real pwr455 binary: command line, single instance, the transfer file's life.

#include "tests/app/gui_test.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs the binary with `args` in the test home; returns its exit status and standard output.
int RunToEnd(const std::string& args, std::string* output)
{
    const std::string command = std::string(PWR455_BINARY) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output->append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t Start()
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl(PWR455_BINARY, PWR455_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits for the process to end; returns its exit status, or -1 when it still runs after
// `milliseconds` or was killed by a signal.
int WaitForExit(pid_t pid, int milliseconds)
{
    for (int waited = 0; waited <= milliseconds; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// The program's transfer files ("cl...") anywhere below the temporary folder.
std::vector<std::string> TransferFiles()
{
    std::vector<std::string> found;
    std::error_code ec;
    const std::string tmp = GetTestHome() + "/tmp";
    for (auto it = std::filesystem::recursive_directory_iterator(tmp, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file() && it->path().filename().string().rfind("cl", 0) == 0)
            found.push_back(it->path().string());
    }
    return found;
}

bool WaitForTransferFiles(size_t count, int milliseconds)
{
    for (int waited = 0; waited <= milliseconds; waited += 20) {
        if (TransferFiles().size() == count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

TEST(Pwr455Program, VersionAndHelpPrintAndExitAtOnce)
{
    std::string out;
    EXPECT_EQ(RunToEnd("--version", &out), 0);
    EXPECT_EQ(out, "PW-R455NORD Rev.1.0 (pwr455 1.0.0)\n");
    out.clear();
    EXPECT_EQ(RunToEnd("--help", &out), 0);
    EXPECT_EQ(out.rfind("Usage: pwr455 [--simulate] [FILE.qrb]\n", 0), 0u) << out;
    EXPECT_TRUE(TransferFiles().empty());
}

TEST(Pwr455Program, TransferFileExistsWhileRunningAndIsGoneAfterANormalExit)
{
    const pid_t first = Start();
    ASSERT_GT(first, 0);
    ASSERT_TRUE(WaitForTransferFiles(1, 10000));

    // A second start while the first runs shows nothing and ends at once.
    const pid_t second = Start();
    EXPECT_EQ(WaitForExit(second, 5000), 0);
    EXPECT_EQ(TransferFiles().size(), 1u);

    // The session manager's request to end: a normal exit with the usual clean-up.
    kill(first, SIGTERM);
    const int status = WaitForExit(first, 10000);
    if (status == -1) {
        kill(first, SIGKILL);
        waitpid(first, nullptr, 0);
    }
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(TransferFiles().empty());
}
