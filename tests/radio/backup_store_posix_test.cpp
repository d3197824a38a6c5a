#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "radio/backup_store.h"
#include "radio/r455_radio.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

// Links planted under the names of the next backups are passed over, never written through;
// a folder of another user is not written to, and a folder made in one becomes that user's.
TEST(BackupStore, NamesTakenByLinksArePassedOverAndOtherUsersFoldersLeftAlone)
{
    CScratchDir dir;
    const std::string folder = dir.In("backups");
    std::filesystem::create_directory(folder);
    CR455Radio radio;
    radio.ResetData();
    const std::time_t when = 1800000000;
    const std::string name = folder + "/" + CBackupStore::MakeFileName(*std::localtime(&when), "");
    const std::string stem = name.substr(0, name.size() - 4);
    std::filesystem::create_symlink(dir.In("nowhere"), name);
    WriteFile(dir.In("real"), "x");
    std::filesystem::create_symlink(dir.In("real"), stem + "_2.qrb");
    std::string saved, error;
    ASSERT_TRUE(CBackupStore(folder).Save(radio, when, &saved, &error)) << error;
    EXPECT_EQ(saved, stem + "_3.qrb");
    EXPECT_FALSE(std::filesystem::exists(dir.In("nowhere")));
    EXPECT_EQ(ReadFile(dir.In("real")), "x");

    if (::geteuid() != 0)
        return;
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    const std::vector<std::string> before = ListFolder(folder);
    EXPECT_FALSE(CBackupStore(folder).Save(radio, when, nullptr, &error));
    EXPECT_EQ(error, "the folder '" + folder + "' belongs to another user");
    EXPECT_EQ(ListFolder(folder), before);
    EXPECT_FALSE(CBackupStore(folder + "/made/backups").Save(radio, when, nullptr, &error));
    struct stat made = {};
    EXPECT_EQ(::stat((folder + "/made/backups").c_str(), &made), 0);
    EXPECT_EQ(made.st_uid, 65534u);
}
