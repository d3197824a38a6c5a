// The profile: read whole but bounded, never written over when it cannot be used (one warning
// line says why), saved atomically through a link, in the format users' profiles have.

#include <gtest/gtest.h>

#include <functional>

#include "profile/profile.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

TEST(Profile, ReadsWhatItCanUseAndLeavesAnythingElseAloneWithOneWarning)
{
    CScratchDir dir;
    const std::string path = dir.In("PW-R455NORD.conf");
    const std::string notUsed = "the profile '" + path + "' is not used (";
    const std::string defaults = "); the defaults apply and changes are not saved";
    const struct {
        std::function<void()> make;
        int port;
        std::string warning;
    } cases[] = {
        {[&] { WriteFile(path, "[CommPort]\nPortNumber=3\n"); }, 3, ""},
        {[] {}, 1, ""},
        {[&] { WriteFile(path, "\x01[CommPort\n=\n[CommPort]\nPortNumber=2\n[CommPort]\n"); }, 2,
         "the profile '" + path + "' has lines that are not understood; they are left as they are"},
        {[&] { WriteFile(path, "[CommPort]\nPortNumber=3\n"); fs::resize_file(path, 50 << 20); }, 1,
         notUsed + "it is larger than 1 MiB" + defaults},
        {[&] { MakeFifoOrNullDevice(path); }, 1, notUsed + "it is not a regular file" + defaults},
    };
    for (const auto& c : cases) {
        fs::remove(path);
        c.make();
        const fs::file_type type = fs::status(path).type();
        CProfile profile(path);
        EXPECT_EQ(profile.GetPortNumber(), c.port) << c.warning;
        EXPECT_EQ(profile.GetWarning(), c.warning);
        profile.SetPortNumber(4);
        const bool used = c.warning.find(notUsed) != 0;
        EXPECT_EQ(profile.Save(), used) << c.warning;
        EXPECT_EQ(fs::status(path).type(), used ? fs::file_type::regular : type) << c.warning;
        EXPECT_EQ(CProfile(path).GetPortNumber(), used ? 4 : c.port) << c.warning;
    }
    CProfile none{std::string()}; // no home: the defaults, nothing saved
    EXPECT_FALSE(none.Save());
    EXPECT_EQ(none.GetWarning().rfind("no profile is used: neither XDG_CONFIG_HOME nor a home", 0), 0u);
}

TEST(Profile, ASaveKeepsTheStoredFormatALinkAndAPrivateFolder)
{
    CScratchDir dir;
    WriteFile(dir.In("dotfile"), "[CommPort]\nPortNumber=2\n");
    fs::create_symlink("dotfile", dir.In("linked.conf"));
    CProfile linked(dir.In("linked.conf"));
    EXPECT_EQ(linked.GetPortDevice(3), "/dev/ttyUSB2");
    linked.SetPortDevice(1, "/dev/ttyS0");
    linked.SetWindowPlacement({1, 2, 300, 400}, 3);
    ASSERT_TRUE(linked.Save()) << linked.GetWarning();
    EXPECT_TRUE(fs::is_symlink(dir.In("linked.conf")));
    EXPECT_EQ(ReadFile(dir.In("dotfile")),
              "[CommPort]\nPortNumber=2\nDevice1=/dev/ttyS0\n[Window\\ Position]\nLeft=1\nTop=2\n"
              "Width=300\nHeight=400\nCmdShow=3\n");
    CProfile fresh(dir.In("new/PW-R455NORD.conf"));
    fresh.SetColumnWidth(2, 80);
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(fs::status(dir.In("new")).permissions(), fs::perms::owner_all);
}
