#include "cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

CliResult RunTool(const std::vector<std::string>& args, const std::string& input)
{
    char pattern[] = "/tmp/pwr-cli-run-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir)
        return {};
    const fs::path base(dir);
    WriteFile(base / "in", input);

    std::vector<std::string> argv{PWR_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargs;
    for (std::string& a : argv)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);

    pid_t pid = fork();
    if (pid == 0) {
        int in = open((base / "in").c_str(), O_RDONLY);
        int out = open((base / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open((base / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0)
            _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(cargs[0], cargs.data());
        _exit(127);
    }
    CliResult result;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadFile(base / "out");
    result.err = ReadFile(base / "err");
    fs::remove_all(base);
    return result;
}

void CliTest::SetUp()
{
    char pattern[] = "/tmp/pwr-cli-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    ASSERT_NE(dir, nullptr);
    m_dir = dir;
}

void CliTest::TearDown()
{
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}
