#include "radio/temp_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(TempFileTest, CreatesPrivateEmptyFileAndRemovesIt)
{
    std::string path;
    {
        CTempFile file("cw");
        ASSERT_TRUE(file.IsValid());
        path = file.GetPath();
        fs::path p(path);
        EXPECT_EQ(p.parent_path(), fs::temp_directory_path());
        EXPECT_EQ(p.filename().string().rfind("cw", 0), 0u);
        EXPECT_TRUE(fs::is_regular_file(p));
        EXPECT_EQ(fs::file_size(p), 0u);
        EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST(TempFileTest, EveryObjectGetsItsOwnFile)
{
    CTempFile a("cl");
    CTempFile b("cl");
    ASSERT_TRUE(a.IsValid());
    ASSERT_TRUE(b.IsValid());
    EXPECT_NE(a.GetPath(), b.GetPath());
}

TEST(TempFileTest, TruncateEmptiesTheFile)
{
    CTempFile file("cw");
    {
        std::ofstream out(file.GetPath());
        out << "some content\n";
    }
    ASSERT_GT(fs::file_size(file.GetPath()), 0u);
    EXPECT_TRUE(file.Truncate());
    EXPECT_EQ(fs::file_size(file.GetPath()), 0u);
}

TEST(TempFileTest, NoTemporaryDirectoryGivesAnInvalidObject)
{
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", "/nonexistent/pwr-no-such-dir", 1);
    {
        CTempFile file("cw");
        EXPECT_FALSE(file.IsValid());
        EXPECT_EQ(file.GetPath(), "");
        EXPECT_FALSE(file.Truncate());
    }
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
}
