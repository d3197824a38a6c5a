#include "radio/temp_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/common/scratch_dir.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

// An empty TMPDIR means /tmp; a missing one or a file there gives an invalid object. Whatever
// was left beside the file goes with its folder.
TEST(TempFileTest, PrivateFolderInTheTemporaryFolder)
{
    CScratchDir scratch;
    std::ofstream(scratch.In("file")) << "x";
    const std::string savedTmpdir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    const std::pair<std::string, std::string> cases[] = {
        {scratch.Path().string(), scratch.Path().string()},
        {"", "/tmp"},
        {scratch.In("missing"), ""},
        {scratch.In("file"), ""},
    };
    for (const auto& [tmpdir, base] : cases) {
        SetEnv("TMPDIR", tmpdir);
        fs::path folder;
        {
            CTempFile file("cw");
            EXPECT_EQ(file.IsValid(), !base.empty()) << tmpdir;
            if (!file.IsValid()) {
                EXPECT_EQ(file.GetPath(), "");
                EXPECT_FALSE(file.Truncate());
                continue;
            }
            const fs::path path = file.GetPath();
            folder = path.parent_path();
            EXPECT_EQ(folder.parent_path(), base);
            EXPECT_EQ(folder.filename().string().rfind("pwr455-", 0), 0u);
            EXPECT_EQ(path.filename(), "cw0000.tmp");
            EXPECT_EQ(fs::symlink_status(folder).permissions(), fs::perms::owner_all);
            EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
            EXPECT_EQ(fs::file_size(path), 0u);
            std::ofstream(path) << "content";
            EXPECT_TRUE(file.Truncate());
            EXPECT_EQ(fs::file_size(path), 0u);
            std::ofstream(folder / "leftover.tmp") << "x";
        }
        EXPECT_FALSE(fs::exists(folder)) << tmpdir;
    }
    SetEnv("TMPDIR", savedTmpdir);
}
