#include "fault_util.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace faulttest {

std::vector<std::string> ListFolder(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

CScratchDir::CScratchDir()
{
    char pattern[] = "/tmp/pwr-fault-XXXXXX";
    if (::mkdtemp(pattern))
        m_path = pattern;
}

CScratchDir::~CScratchDir()
{
    if (m_path.empty())
        return;
    std::error_code ec;
    // Tests narrow folders to read-only; open them up again so that everything can go.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_directory(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

CEnvOverride::CEnvOverride(const char* name, const std::string& value) : m_name(name)
{
    if (const char* old = std::getenv(name)) {
        m_had = true;
        m_old = old;
    }
    ::setenv(name, value.c_str(), 1);
}

CEnvOverride::~CEnvOverride()
{
    if (m_had)
        ::setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        ::unsetenv(m_name.c_str());
}

namespace {

// In a child process: gives up root for the user "nobody". False when that is not possible.
bool DropRoot()
{
    if (::geteuid() != 0)
        return true;
    const struct passwd* nobody = ::getpwnam("nobody");
    uid_t uid = nobody ? nobody->pw_uid : 65534;
    gid_t gid = nobody ? nobody->pw_gid : 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0
        && ::geteuid() != 0;
}

} // namespace

bool HaveTool()
{
#ifdef PWR_CLI_PATH
    return ::access(PWR_CLI_PATH, X_OK) == 0;
#else
    return false;
#endif
}

bool CanRunUnprivileged()
{
    if (::geteuid() != 0)
        return true;
    pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(DropRoot() ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)
        && WEXITSTATUS(status) == 0;
}

ToolResult RunTool(const std::vector<std::string>& args, const ToolOptions& options)
{
    ToolResult result;
#ifdef PWR_CLI_PATH
    CScratchDir io;
    // The outputs must be writable by the tool whoever it runs as, and no limit applies to
    // them: they are opened before the limit is set.
    fs::permissions(io.Path(), fs::perms::all, fs::perm_options::replace);
    std::vector<std::string> argv{PWR_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargs;
    for (std::string& a : argv)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);
    const std::string outPath = io.In("out");
    const std::string errPath = io.In("err");

    pid_t pid = ::fork();
    if (pid == 0) {
        int in = ::open("/dev/null", O_RDONLY);
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (in < 0 || out < 0 || err < 0)
            ::_exit(127);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        for (const auto& [name, value] : options.env)
            ::setenv(name.c_str(), value.c_str(), 1);
        if (options.fileSizeLimit > 0) {
            ::signal(SIGXFSZ, SIG_IGN); // stays ignored across exec
            struct rlimit limit;
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = static_cast<rlim_t>(options.fileSizeLimit);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (options.unprivileged && !DropRoot())
            ::_exit(126);
        ::execv(cargs[0], cargs.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
#else
    (void)args;
    (void)options;
#endif
    return result;
}

} // namespace faulttest
