#include <gtest/gtest.h>

#include <chrono>

#include "radio/backup_store.h"
#include "radio/r455_radio.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

TEST(BackupStore, NamesAreTimeAndCommentAndOnlyTheyCountAsBackups)
{
    std::tm t = {};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 7, t.tm_hour = 14, t.tm_min = 3, t.tm_sec = 22;
    EXPECT_EQ(CBackupStore::MakeFileName(t, "MY RADIO   "), "2026-12-07_14-03-22_MY-RADIO.qrb");
    EXPECT_EQ(CBackupStore::MakeFileName(t, "  "), "2026-12-07_14-03-22.qrb");
    EXPECT_EQ(CBackupStore::MakeFileName(t, "../A:b\xE9"), "2026-12-07_14-03-22_..-A-b-.qrb");
    EXPECT_TRUE(CBackupStore::IsBackupName("2026-12-07_14-03-22_X_2.qrb"));
    for (const char* name : {"2026-12-07_14-03-22.csv", "2026-12-07-14-03-22.qrb", "2026-12-07_14-03-22X.qrb"})
        EXPECT_FALSE(CBackupStore::IsBackupName(name)) << name;
}

TEST(BackupStore, SavesLoadableCopiesAndKeepsTheNewest)
{
    CScratchDir dir;
    const std::string folder = dir.In("a/backups");
    CR455Radio radio;
    radio.ResetData();
    radio.SetCloneComment("TOWER 2");
    CBackupStore store(folder);
    std::string first, second, error;
    ASSERT_TRUE(store.Save(radio, 1800000000, &first, &error)) << error;
    ASSERT_TRUE(store.Save(radio, 1800000000, &second, &error)) << error;
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + "_2.qrb"); // the same second
    CR455Radio loaded;
    ASSERT_TRUE(loaded.LoadFromFile(second));
    EXPECT_EQ(loaded.GetCloneComment(), "TOWER 2");

    // Backups go by the time they were written, the one just written always stays: the names
    // of these run against their times, which lie ahead of the clock.
    WriteFile(folder + "/mine.qrb", "x");
    const auto later = std::filesystem::file_time_type::clock::now() + std::chrono::hours(1);
    for (int i = 0; i < 200; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "2000-01-01_00-%02d-%02d.qrb", i / 60, i % 60);
        WriteFile(folder + "/" + name, "x");
        std::filesystem::last_write_time(folder + "/" + name, later - std::chrono::seconds(i));
    }
    if (std::filesystem::last_write_time(folder + "/2000-01-01_00-00-00.qrb") -
            std::filesystem::last_write_time(folder + "/2000-01-01_00-00-01.qrb") !=
        std::chrono::seconds(1))
        GTEST_SKIP() << "the file system does not keep the times set here (Node.js for WebAssembly)";
    std::string third;
    ASSERT_TRUE(store.Save(radio, 1800000000, &third, &error));
    EXPECT_EQ(ListFolder(folder).size(), 201u);
    for (const std::string& gone : {first, second, folder + "/2000-01-01_00-03-19.qrb"})
        EXPECT_FALSE(std::filesystem::exists(gone)) << gone;
    for (const std::string& kept : {third, folder + "/2000-01-01_00-00-00.qrb", folder + "/mine.qrb"})
        EXPECT_TRUE(std::filesystem::exists(kept)) << kept;
}


TEST(BackupStore, TheOldestByTheirWritingGoFirstAndOnlyBackups)
{
    const std::vector<CBackupStore::CEntry> entries = {
        {"2026-01-01_00-00-03.qrb", 1}, {"2026-01-01_00-00-01.qrb", 3}, {"mine.qrb", 0},
        {"2026-01-01_00-00-02.qrb", 2}, {"2026-01-01_00-00-00.qrb", 2}};
    const struct {
        size_t keep;
        const char* kept;
        std::vector<std::string> removed;
    } cases[] = {
        {4, "", {}},
        {2, "", {"2026-01-01_00-00-03.qrb", "2026-01-01_00-00-00.qrb"}},
        // The one just written stays even when its time is the oldest.
        {2, "2026-01-01_00-00-03.qrb", {"2026-01-01_00-00-00.qrb", "2026-01-01_00-00-02.qrb"}},
        {0, "2026-01-01_00-00-01.qrb",
         {"2026-01-01_00-00-03.qrb", "2026-01-01_00-00-00.qrb", "2026-01-01_00-00-02.qrb"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CBackupStore::ChooseToRemove(entries, c.keep, c.kept), c.removed) << c.keep;
    EXPECT_EQ(CBackupStore::NumberedName("2026-01-01_00-00-00_A.qrb", 3), "2026-01-01_00-00-00_A_3.qrb");
}
