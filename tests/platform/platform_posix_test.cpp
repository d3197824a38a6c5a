// The platform layer's POSIX side: modes, owners, links and device nodes, the user database,
// and a lock holder that dies. Tests change the environment of their own process.

#include <gtest/gtest.h>

#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/user_folders.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

// A replaced file keeps its mode, and its owner and group where the process may set them (a save
// by root must not make another user's file root's); a link to it is written through. What is no
// regular file is left alone.
TEST(FileIo, SaveKeepsModeOwnerAndLinksAndRefusesWhatIsNoRegularFile)
{
    CScratchDir dir;
    const std::string real = dir.In("real");
    WriteFile(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(real.c_str(), 65534, 65534) == 0);
    fs::create_symlink("real", dir.In("link"));
    ASSERT_EQ(WriteFileAtomically(dir.In("link"), "new"), EFileError::None);
    EXPECT_TRUE(fs::is_symlink(dir.In("link")));
    EXPECT_EQ(ReadFile(real), "new");
    struct stat after = {};
    ::stat(real.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(after.st_gid, root ? 65534u : ::getegid());

    // A device node of our own: a root whose save went wrong must not replace the real one.
    const std::string device = root ? dir.In("null") : "/dev/null";
    ASSERT_TRUE(!root || ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0);
    fs::create_symlink(device, dir.In("to-device"));
    ASSERT_EQ(::mkfifo(dir.In("fifo").c_str(), 0600), 0);
    const std::pair<std::string, EFileError> refused[] = {
        {device, EFileError::NotRegular},         {dir.In("to-device"), EFileError::NotRegular},
        {dir.In("fifo"), EFileError::NotRegular}, {"/proc/self/fd/2", EFileError::NotRegular},
        {dir.In("x/"), EFileError::NotAFileName}, {dir.Path().string(), EFileError::NotRegular},
        {"", EFileError::NotAFileName},           {dir.In("missing/x"), EFileError::CannotCreate}};
    const std::vector<std::string> before = dir.Entries();
    for (const auto& [target, error] : refused) {
        const fs::file_type old = fs::symlink_status(target).type();
        EXPECT_EQ(WriteFileAtomically(target, "x"), error) << target;
        EXPECT_EQ(fs::symlink_status(target).type(), old) << target;
    }
    EXPECT_EQ(dir.Entries(), before);
}

TEST(UserFolders, HomeIsHomeElseTheUserDatabasesAndRelativeXdgFoldersDoNotCount)
{
    const struct passwd* entry = ::getpwuid(::getuid());
    ASSERT_TRUE(entry && entry->pw_dir);
    const std::string database = entry->pw_dir;
    const struct {
        std::optional<std::string> home, config, data;
        std::string configFolder, dataFolder;
    } cases[] = {{"/h", std::nullopt, std::nullopt, "/h/.config", "/h/.local/share"},
                 {std::nullopt, "relative", "/d", database + "/.config", "/d"},
                 {"", "/c", "relative", "/c", database + "/.local/share"}};
    for (const auto& c : cases) {
        SetEnv("HOME", c.home);
        SetEnv("XDG_CONFIG_HOME", c.config);
        SetEnv("XDG_DATA_HOME", c.data);
        EXPECT_EQ(GetUserConfigFolder(), c.configFolder);
        EXPECT_EQ(GetUserDataFolder(), c.dataFolder);
    }
}

// A lock file that a holder which died left, or a home where nothing can be made, never keeps
// the program from starting.
TEST(InstanceLock, OneHolderAtATimeAndTheSystemReleasesItWhenTheHolderDies)
{
    CScratchDir dir;
    fs::create_directory(dir.In("run"));
    SetEnv("XDG_RUNTIME_DIR", dir.In("run"));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(CInstanceLock("lock").GetState() == CInstanceLock::EState::Held ? 0 : 1);
    int status = -1;
    EXPECT_TRUE(::waitpid(child, &status, 0) == child && status == 0);
    {
        CInstanceLock first("lock");
        EXPECT_EQ(first.GetState(), CInstanceLock::EState::Held);
        EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Taken);
    }
    EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Held);
    SetEnv("XDG_RUNTIME_DIR", std::nullopt);
    SetEnv("HOME", dir.In("no-home"));
    SetEnv("TMPDIR", dir.Path().string());
    EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Held);
    EXPECT_TRUE(fs::exists(dir.In("lock-" + std::to_string(::getuid()))));
}
