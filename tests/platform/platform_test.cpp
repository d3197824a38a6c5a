// The platform layer itself, for the layers above. Tests change the environment of their own
// process (CTest runs each in one).

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_handover.h"
#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

static void SetEnv(const char* name, const std::optional<std::string>& value)
{
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

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

TEST(FileIo, ReadsAreBoundedAndSettingsAreReadOnlyFromRegularFiles)
{
    CScratchDir dir;
    WriteFile(dir.In("five"), "12345");
    WriteFile(dir.In("six"), "123456");
    ASSERT_EQ(::mkfifo(dir.In("fifo").c_str(), 0600), 0); // nobody writes to it
    const struct {
        std::string path;
        EFileError bounded;
        EFileError regular;
    } cases[] = {{dir.In("five"), EFileError::None, EFileError::None},
                 {dir.In("six"), EFileError::TooLarge, EFileError::TooLarge},
                 {dir.In("fifo"), EFileError::None, EFileError::NotRegular},
                 {dir.Path().string(), EFileError::CannotOpen, EFileError::NotRegular},
                 {dir.In("missing"), EFileError::Missing, EFileError::Missing}};
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(ReadFileBounded(c.path, 5, text), c.bounded) << c.path;
        text = "before";
        EXPECT_EQ(ReadRegularFile(c.path, 5, text), c.regular) << c.path;
        EXPECT_EQ(text, c.regular == EFileError::None ? "12345" : "before") << c.path;
    }
}

// What a signal's clean-up removes: the registered files, then the registered folders.
TEST(TempFolder, WhatIsRegisteredGoesWhenASignalEndsTheProcess)
{
    const std::string folder = MakePrivateTempFolder();
    ASSERT_TRUE(IsPrivateTempFolder(folder) && CreatePrivateFile(folder + "/a"));
    RemoveTemporaryPathsNow();
    EXPECT_FALSE(fs::exists(folder));
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

// A second start hands its file to the holder of the lock, and only to it; once the holder has
// gone, nothing takes the file.
TEST(FileHandover, TheHolderOfTheLockReceivesTheNameASecondStartSends)
{
    CScratchDir dir;
    SetEnv("XDG_RUNTIME_DIR", dir.Path().string());
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::string> names;
    const std::string longName(5000, 'x');
    {
        CInstanceLock first("lock");
        CFileHandover listener(first, [&](const std::string& name) {
            const std::lock_guard<std::mutex> hold(mutex);
            names.push_back(name);
            arrived.notify_one();
        });
        ASSERT_TRUE(listener.IsListening());
        CInstanceLock second("lock");
        EXPECT_FALSE(CFileHandover(second, nullptr).IsListening());
        for (const std::string& name : {std::string("/data/other.qrb"), longName})
            EXPECT_TRUE(CFileHandover::Send(second, name));
        std::unique_lock<std::mutex> hold(mutex);
        // A bound against a hang only: Send returns once the name was passed on.
        EXPECT_TRUE(arrived.wait_for(hold, std::chrono::seconds(10), [&] { return names.size() == 2; }));
        EXPECT_EQ(names, (std::vector<std::string>{"/data/other.qrb", longName}));
    }
    EXPECT_FALSE(CFileHandover::Send(CInstanceLock("lock"), "/data/other.qrb"));
    EXPECT_FALSE(fs::exists(dir.In("lock.socket")));
    SetEnv("XDG_RUNTIME_DIR", std::nullopt);
}
