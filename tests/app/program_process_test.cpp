#include "tests/app/gui_test.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "tests/common/child_process.h"
#include "tests/common/test_files.h"

namespace {

size_t CountTransferFiles()
{
    size_t found = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(GetTestHome() + "/tmp", ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        found += it->is_regular_file() && it->path().filename().string().rfind("cl", 0) == 0;
    return found;
}

} // namespace

TEST(Pwr455Program, VersionAndHelpExitAtOnceTheTransferFileLivesAsLongAsTheProgram)
{
    EXPECT_EQ(RunProcess({PWR455_BINARY, "--version"}).out, "PW-R455NORD Rev.1.0 (pwr455 1.0.0)\n");
    const ProcessResult help = RunProcess({PWR455_BINARY, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: pwr455 [--simulate] [FILE.qrb]\n", 0), 0u) << help.out;
    // A command line it cannot use is told on standard error, without a window.
    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{"-x"}, "pwr455: unknown option '-x' (run 'pwr455 --help')\n"},
        {{"--bogus", "a.qrb"}, "pwr455: unknown option '--bogus' (run 'pwr455 --help')\n"},
        {{"a.qrb", "--", "b.qrb"}, "pwr455: give one file at most (run 'pwr455 --help')\n"},
    };
    for (const auto& [args, message] : wrong) {
        std::vector<std::string> argv = {PWR455_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        const ProcessResult r = RunProcess(argv);
        EXPECT_EQ(std::to_string(r.status) + r.out + r.err, "2" + message) << args[0];
    }
    EXPECT_EQ(CountTransferFiles(), 0u);

    CChildProcess first({PWR455_BINARY});
    for (int tries = 0; tries < 1000 && CountTransferFiles() == 0; ++tries) // a generous bound
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(CountTransferFiles(), 1u);
    EXPECT_EQ(RunProcess({PWR455_BINARY}).status, 0); // a second instance ends at once
    EXPECT_EQ(CountTransferFiles(), 1u);
    // One with a file hands it to the first, which opens it (its title names it).
    CNewRadio data;
    WriteFileText(GetTestHome() + "/other.qrb", Store(data));
    EXPECT_EQ(RunProcess({PWR455_BINARY, GetTestHome() + "/other.qrb"}).status, 0);
    const auto titled = [] {
        return RunProcess({"/usr/bin/xwininfo", "-root", "-tree"}).out.find(
                   "\"other.qrb - PW-R455NORD\"") != std::string::npos;
    };
    for (int tries = 0; tries < 500 && !titled(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(titled());
    // GTK was kept from OpenGL, which the program does not use.
    const std::string maps = ReadFile("/proc/" + std::to_string(first.Pid()) + "/maps");
    for (const char* library : {"libGLX", "libEGL", "libLLVM"})
        EXPECT_EQ(maps.find(library), std::string::npos) << library;
    // The session manager's request to end: a normal exit with the usual clean-up.
    first.Signal(SIGTERM);
    EXPECT_EQ(first.Finish().status, 0);
    EXPECT_EQ(CountTransferFiles(), 0u);
}
