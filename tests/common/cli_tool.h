#pragma once

// The end-to-end tests' way to run the built pwr455-cli (PWR_CLI_PATH) in a scratch folder, with
// the user's profile and backups kept in there too. In arguments and expected texts "@" stands
// for the scratch folder (with its trailing slash); as in a shell, leading arguments NAME=VALUE
// set the environment, "<FILE" is the standard input and ">FILE" the standard output.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/console.h"
#include "tests/common/child_process.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

const std::string kNotRegular = "not a regular file (a folder, a device, a pipe or a socket)\n";

struct CliStep {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err = "";
    std::string input = "";
};

class CToolTest : public ::testing::Test {
protected:
    std::string At(const std::string& text) const
    {
        std::string expanded;
        for (char c : text)
            expanded += c == '@' ? m_dir.In("") : std::string(1, c);
        return expanded;
    }

    ProcessOptions Options() const
    {
        ProcessOptions options;
        options.env["XDG_CONFIG_HOME"] = m_dir.In("config");
        options.env["XDG_DATA_HOME"] = m_dir.In("data");
        return options;
    }

    // The command line of the tool for `args`; redirections and variables go to `options`.
    std::vector<std::string> Argv(const std::vector<std::string>& args,
                                  ProcessOptions& options) const
    {
        std::vector<std::string> argv{PWR_CLI_PATH};
        for (const std::string& a : args) {
            const std::string arg = At(a);
            if (!arg.empty() && (arg[0] == '<' || arg[0] == '>'))
                (arg[0] == '<' ? options.inputFile : options.outputFile) = arg.substr(1);
            else if (argv.size() == 1 && arg.find('=') != std::string::npos)
                options.env[arg.substr(0, arg.find('='))] = arg.substr(arg.find('=') + 1);
            else
                argv.push_back(arg);
        }
        return argv;
    }

    ProcessResult Run(const std::vector<std::string>& args, ProcessOptions options) const
    {
        return RunProcess(Argv(args, options), options);
    }
    ProcessResult Run(const std::vector<std::string>& args, const std::string& input = "") const
    {
        ProcessOptions options = Options();
        options.input = input;
        return Run(args, options);
    }

    void RunSteps(const std::vector<CliStep>& steps) const
    {
        for (const CliStep& step : steps) {
            const ProcessResult r = Run(step.args, step.input);
            const std::string what = ::testing::PrintToString(step.args);
            EXPECT_EQ(r.status, step.status) << what;
            // Texts expected with CR LF lose the CR where the output did (Windows).
            EXPECT_EQ(r.out, ForStandardStream(At(step.out))) << what;
            EXPECT_EQ(r.err, ForStandardStream(At(step.err))) << what;
        }
    }

    CScratchDir m_dir;
};
