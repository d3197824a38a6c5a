// The profile: read whole but bounded, never written over when it cannot be used (one warning
// line says why), saved atomically through a link, in the format users' profiles have.

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

#include "profile/profile.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

TEST(Profile, ReadsWhatItCanUseAndLeavesAnythingElseAloneWithOneWarning)
{
    CScratchDir dir;
    const std::string path = dir.In("PW-R455NORD.conf");
    const std::string notUsed = "the profile '" + path + "' is not used (";
    const std::string andSo = "); the defaults apply and changes are not saved";
    const struct {
        const char* name;
        std::function<void()> make;
        int port;
        std::string device3;
        std::string warning;
    } cases[] = {
        {"stored", [&] { WriteFile(path, "[CommPort]\nPortNumber=3\nDevice3=/dev/x\n"); }, 3,
         "/dev/x", ""},
        {"missing", [] {}, 1, "/dev/ttyUSB2", ""},
        {"garbage", [&] { WriteFile(path, "\x01[CommPort\n=\n[CommPort]\nPortNumber=2\n[CommPort]\n"); },
         2, "/dev/ttyUSB2", "the profile '" + path + "' has lines that are not understood; they are left as they are"},
        {"50 MiB", [&] { WriteFile(path, "[CommPort]\nPortNumber=3\n"); fs::resize_file(path, 50 << 20); },
         1, "/dev/ttyUSB2", notUsed + "it is larger than 1 MiB" + andSo},
        {"FIFO", [&] { ::mkfifo(path.c_str(), 0600); }, 1, "/dev/ttyUSB2",
         notUsed + "it is not a regular file" + andSo},
    };
    for (const auto& c : cases) {
        fs::remove(path);
        c.make();
        const fs::file_status before = fs::status(path);
        CProfile profile(path);
        EXPECT_EQ(profile.GetPortNumber(), c.port) << c.name;
        EXPECT_EQ(profile.GetPortDevice(3), c.device3) << c.name;
        EXPECT_EQ(profile.GetWarning(), c.warning) << c.name;
        profile.SetPortNumber(4);
        const bool used = c.warning.find(notUsed) != 0;
        EXPECT_EQ(profile.Save(), used) << c.name;
        EXPECT_EQ(fs::status(path).type(), used ? fs::file_type::regular : before.type()) << c.name;
        EXPECT_EQ(CProfile(path).GetPortNumber(), used ? 4 : c.port) << c.name;
    }
    // Without a home there is no profile: the defaults, nothing saved.
    CProfile none{std::string()};
    EXPECT_EQ(none.GetPortNumber(), 1);
    EXPECT_FALSE(none.Save());
    EXPECT_EQ(none.GetWarning(), "no profile is used: neither XDG_CONFIG_HOME nor a home folder is "
                                 "known; the defaults apply and changes are not saved");
}

TEST(Profile, ASaveWritesTheStoredFormatThroughALinkAndMakesTheFolder)
{
    CScratchDir dir;
    fs::create_directory(dir.In("dotfiles"));
    WriteFile(dir.In("dotfiles/pwr.conf"), "[CommPort]\nPortNumber=2\n");
    fs::create_directory(dir.In("config"));
    fs::create_symlink("../dotfiles/pwr.conf", dir.In("config/linked.conf"));
    CProfile linked(dir.In("config/linked.conf"));
    EXPECT_TRUE(linked.Save()); // nothing changed: nothing written
    linked.SetPortDevice(1, "/dev/ttyS0");
    linked.SetWindowPlacement({1, 2, 300, 400}, 3);
    ASSERT_TRUE(linked.Save()) << linked.GetWarning();
    EXPECT_TRUE(fs::is_symlink(dir.In("config/linked.conf")));
    EXPECT_EQ(ReadFile(dir.In("dotfiles/pwr.conf")),
              "[CommPort]\nPortNumber=2\nDevice1=/dev/ttyS0\n[Window\\ Position]\nLeft=1\nTop=2\n"
              "Width=300\nHeight=400\nCmdShow=3\n");
    CProfile fresh(dir.In("new/PW-R455NORD.conf"));
    fresh.SetColumnWidth(2, 80);
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(fs::status(dir.In("new")).permissions(), fs::perms::owner_all);
    EXPECT_EQ(ReadFile(dir.In("new/PW-R455NORD.conf")), "[Column]\nWidth2=80\n");
}
