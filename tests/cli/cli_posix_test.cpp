// pwr455-cli and what only POSIX has: endless and full devices, FIFOs, signals, and the
// simulated transceiver on a pseudo-terminal.

#include <chrono>
#include <csignal>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/utils.h>

#include "cli/clone_session.h"
#include "language/program_language.h"
#include "platform/user_languages.h"
#include "tests/common/cli_tool.h"
#include "tests/common/test_system.h"

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

// While it lives, the process can open nothing more: its descriptor limit is the lowest free one.
class CNoFreeDescriptor {
public:
    CNoFreeDescriptor()
    {
        const int lowest = ::dup(0);
        ::close(lowest);
        ::getrlimit(RLIMIT_NOFILE, &m_old);
        struct rlimit limit = m_old;
        limit.rlim_cur = static_cast<rlim_t>(lowest);
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~CNoFreeDescriptor() { ::setrlimit(RLIMIT_NOFILE, &m_old); }

private:
    struct rlimit m_old;
};

using CliTest = CToolTest;

} // namespace

TEST(CloneSession, WithoutItsSimulatedTransceiverItIsNotReady)
{
    CCloneOptions options;
    options.simulate = true;
    std::istringstream in;
    std::ostringstream out, err;
    CCliIo io{in, out, err};
    std::optional<CCloneSession> session;
    {
        CNoFreeDescriptor full; // no pseudo-terminal can be opened
        session.emplace(io, options);
    }
    EXPECT_FALSE(session->IsReady(io, "info"));
    EXPECT_EQ(err.str(),
              "pwr455-cli info: cannot start the simulated transceiver (no pseudo-terminal)\n");
}

TEST_F(CliTest, BoundedInputsAndDevicesAsInputsAndOutputs)
{
    ASSERT_EQ(Run({"new", "@a.qrb"}).status, 0);
    ASSERT_EQ(::mkfifo(m_dir.In("fifo").c_str(), 0600), 0);
    std::filesystem::create_hard_link(m_dir.In("a.qrb"), m_dir.In("h.qrb"));
    std::filesystem::create_directory(m_dir.In("tmp"));
    const std::string terminal = OpenTerminalDevice();
    const std::string kDevice = "it is a folder or a device, not a data file\n";
    RunSteps({
        {{"import", "/dev/zero", "-o", "@z.qrb"}, 1, "", "pwr455-cli: '/dev/zero': " + kDevice},
        {{"show", terminal}, 1, "", "pwr455-cli: cannot open '" + terminal + "': " + kDevice}, // never read
        {{"exec", "</dev/zero"}, 1, "", "pwr455-cli exec: line 1 of the standard input is longer than 65536 characters\n"},
        {{"simulate", "--image", "/dev/zero"}, 2, "", "pwr455-cli: '/dev/zero': not a clone data file\n"},
        {{"write", "@a.qrb", "--fleet", "--log", "@h.qrb", "--simulate"}, 2, "",
         "pwr455-cli: cannot save '@h.qrb': it is also the input file\n"},
        {{"exec", "-o", "@fifo"}, 1, "", "pwr455-cli: cannot save '@fifo': " + kNotRegular}, // no lock
        {{"read", "@tmp", "--simulate"}, 2, "", "pwr455-cli: cannot save '@tmp': " + kNotRegular},
        {{"export", "@a.qrb", ">/dev/full"}, 1, "", "pwr455-cli: the output could not be written\n"},
    });
    EXPECT_EQ(m_dir.Entries(), (std::vector<std::string>{"a.qrb", "fifo", "h.qrb", "tmp"}));
}

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

// The language of the messages, as gettext reads the environment.
TEST(ProgramLanguage, LanguageComesBeforeTheLocaleUnlessThatIsC)
{
    const char* const names[] = {"LANGUAGE", "LC_MESSAGES", "LC_ALL"};
    std::map<std::string, wxString> saved;
    for (const char* name : names)
        wxGetEnv(name, &saved[name]) || saved.erase(name);
    wxSetEnv("LANGUAGE", "nb:sv");
    wxSetEnv("LC_MESSAGES", "da_DK.UTF-8");
    wxUnsetEnv("LC_ALL");
    EXPECT_EQ(SystemLanguages(), (std::vector<std::string>{"nb", "sv", "da_DK.UTF-8"}));
    wxSetEnv("LC_ALL", "C");
    EXPECT_TRUE(SystemLanguages().empty());
    for (const char* name : names)
        saved.count(name) ? wxSetEnv(name, saved[name]) : wxUnsetEnv(name);
}
