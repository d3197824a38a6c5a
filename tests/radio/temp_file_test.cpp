#include "radio/temp_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/temp_folder.h"
#include "tests/common/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Sets TMPDIR for the life of the object.
class CTmpdir {
public:
    explicit CTmpdir(const std::string& value)
    {
        if (const char* old = std::getenv("TMPDIR"))
            m_old = old;
        ::setenv("TMPDIR", value.c_str(), 1);
    }
    ~CTmpdir() { ::setenv("TMPDIR", m_old.c_str(), 1); }

private:
    std::string m_old;
};

} // namespace

// The file lives alone in a private folder of its own in $TMPDIR (/tmp when TMPDIR is empty)
// and goes with the object, together with whatever was left beside it. A temporary folder that
// is missing or is no folder gives an invalid object.
TEST(TempFileTest, PrivateFolderInTheTemporaryFolder)
{
    CScratchDir scratch;
    std::ofstream(scratch.In("file")) << "x";
    const std::pair<std::string, std::string> cases[] = {
        {scratch.Path().string(), scratch.Path().string()},
        {"", "/tmp"},
        {scratch.In("missing"), ""},
        {scratch.In("file"), ""},
    };
    for (const auto& [tmpdir, base] : cases) {
        CTmpdir environment(tmpdir);
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
}

// What a signal handler does before the process ends: every temporary file and folder still
// registered goes.
TEST(TempFileTest, SignalCleanUpRemovesEveryRegisteredPath)
{
    CScratchDir scratch;
    CTmpdir environment(scratch.Path().string());
    CTempFile a("cw");
    CTempFile b("cl");
    ASSERT_TRUE(a.IsValid() && b.IsValid());
    EXPECT_EQ(scratch.Entries().size(), 2u);
    RemoveTemporaryPathsNow();
    EXPECT_TRUE(scratch.Entries().empty());
}
