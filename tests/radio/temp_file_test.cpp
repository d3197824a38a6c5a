#include "radio/temp_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

TEST(TempFileTest, CreatesPrivateEmptyFileAndRemovesIt)
{
    std::string path;
    fs::path dir;
    {
        CTempFile file("cw");
        ASSERT_TRUE(file.IsValid());
        path = file.GetPath();
        fs::path p(path);
        dir = p.parent_path();
        // The file sits alone in a private directory of its own inside the temporary directory.
        EXPECT_EQ(dir.parent_path(), fs::temp_directory_path());
        EXPECT_EQ(fs::symlink_status(dir).type(), fs::file_type::directory);
        EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
        EXPECT_EQ(p.filename().string().rfind("cw", 0), 0u);
        EXPECT_TRUE(fs::is_regular_file(p));
        EXPECT_EQ(fs::file_size(p), 0u);
        EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(dir));
}

TEST(TempFileTest, DestructorAlsoRemovesFilesLeftBesideIt)
{
    fs::path dir;
    {
        CTempFile file("cl");
        ASSERT_TRUE(file.IsValid());
        dir = fs::path(file.GetPath()).parent_path();
        std::ofstream(dir / "leftover.tmp") << "x";
    }
    EXPECT_FALSE(fs::exists(dir));
}

// Objects alive together each get a directory of their own inside the temporary directory
// the environment names, and leave nothing behind in it.
TEST(TempFileTest, EachObjectHasItsOwnDirectoryInTmpdir)
{
    fs::path base = fs::temp_directory_path() / ("pwr-temp-test-" + std::to_string(::getpid()));
    fs::create_directories(base);
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", base.c_str(), 1);
    std::set<std::string> dirs;
    {
        std::vector<std::unique_ptr<CTempFile>> files;
        for (int i = 0; i < 20; ++i) {
            files.push_back(std::make_unique<CTempFile>("cw"));
            ASSERT_TRUE(files.back()->IsValid());
            fs::path dir = fs::path(files.back()->GetPath()).parent_path();
            EXPECT_EQ(dir.parent_path(), base);
            EXPECT_TRUE(dirs.insert(dir.string()).second);
        }
    }
    EXPECT_TRUE(fs::is_empty(base));
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    fs::remove_all(base);
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
