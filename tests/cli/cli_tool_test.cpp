#include "cli_runner.h"

TEST(CliToolTest, VersionAndHelp)
{
    CliResult version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pwr455-cli 1.0.0\n");

    CliResult help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: pwr455-cli COMMAND [ARGUMENTS]\n", 0), 0u) << help.out;
    for (const char* line : {"\n  new OUT ", "\n  check FILE ", "\n  exec [-i FILE] [-o OUT] [COMMAND ...] ",
                             "\n  show FILE ", "\n  export FILE [-o OUT.csv] ",
                             "\n  import IN.csv [-i BASE] -o OUT ", "\n  diff A B "})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    EXPECT_EQ(help.err, "");
}

TEST(CliToolTest, EveryCommandHasHelp)
{
    const std::pair<const char*, const char*> commands[] = {
        {"new", "Usage: pwr455-cli new OUT\n"},
        {"check", "Usage: pwr455-cli check FILE\n"},
        {"exec", "Usage: pwr455-cli exec [-i FILE] [-o OUT] [COMMAND ...]\n"},
        {"show", "Usage: pwr455-cli show FILE\n"},
        {"export", "Usage: pwr455-cli export FILE [-o OUT.csv]\n"},
        {"import", "Usage: pwr455-cli import IN.csv [-i BASE] -o OUT\n"},
        {"diff", "Usage: pwr455-cli diff A B\n"},
    };
    for (const auto& [name, usage] : commands) {
        CliResult r = RunTool({name, "--help"});
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.out.rfind(usage, 0), 0u) << r.out;
    }
}

TEST(CliToolTest, UsageErrorsAreOneLineAndExitTwo)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"frobnicate"}, "pwr455-cli: unknown command 'frobnicate' (run 'pwr455-cli --help')\n"},
        {{"--frob"}, "pwr455-cli: unknown command '--frob' (run 'pwr455-cli --help')\n"},
        {{"new", "-x", "out.qrb"},
         "pwr455-cli new: unknown option '-x' (run 'pwr455-cli new --help')\n"},
        {{"exec", "-i"}, "pwr455-cli exec: option '-i' needs a value\n"},
        {{"new"}, "pwr455-cli new: wrong arguments (run 'pwr455-cli new --help')\n"},
        {{"check", "a", "b"}, "pwr455-cli check: wrong arguments (run 'pwr455-cli check --help')\n"},
        {{"diff", "a"}, "pwr455-cli diff: wrong arguments (run 'pwr455-cli diff --help')\n"},
        {{"import", "in.csv"}, "pwr455-cli import: option '-o' is required\n"},
    };
    for (const auto& [args, message] : cases) {
        CliResult r = RunTool(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, message);
        EXPECT_EQ(r.out, "");
    }
    CliResult none = RunTool({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("Usage: pwr455-cli"), std::string::npos);
}
