#include "radio/atomic_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "radio/temp_file.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

namespace {

class AtomicSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("pwr-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    size_t EntryCount()
    {
        size_t n = 0;
        for (auto& e : fs::directory_iterator(m_dir)) {
            (void)e;
            ++n;
        }
        return n;
    }

    fs::path m_dir;
};

} // namespace

TEST_F(AtomicSaveTest, CreatesAndReplaces)
{
    fs::path target = m_dir / "data.qrb";
    EXPECT_TRUE(SaveAtomically(target.string(), [](std::ostream& out) { out << "first"; }));
    EXPECT_EQ(ReadFile(target), "first");
    EXPECT_TRUE(SaveAtomically(target.string(), [](std::ostream& out) { out << "second"; }));
    EXPECT_EQ(ReadFile(target), "second");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicSaveTest, FailureLeavesTheOldFileAndNoLeftovers)
{
    fs::path target = m_dir / "data.qrb";
    WriteFile(target, "old content");
    EXPECT_THROW(SaveAtomically(target.string(),
                                [](std::ostream& out) {
                                    out << "half of the new";
                                    throw std::runtime_error("disk full");
                                }),
                 std::runtime_error);
    EXPECT_EQ(ReadFile(target), "old content");
    EXPECT_EQ(EntryCount(), 1u);

    std::string error;
    EXPECT_FALSE(SaveAtomically(
        target.string(), [](std::ostream& out) { out.setstate(std::ios::badbit); }, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(target), "old content");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicSaveTest, MissingFolderIsAnError)
{
    std::string error;
    EXPECT_FALSE(SaveAtomically((m_dir / "no" / "such" / "x.qrb").string(),
                                [](std::ostream& out) { out << "x"; }, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(AtomicSaveTest, KeepsPermissionsAndSymbolicLinks)
{
    fs::path real = m_dir / "real.qrb";
    fs::path link = m_dir / "link.qrb";
    WriteFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);
    EXPECT_TRUE(SaveAtomically(link.string(), [](std::ostream& out) { out << "new"; }));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
