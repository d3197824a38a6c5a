// The platform layer itself: what every layer above relies on of saves, bounded reads, the
// temporary folder, the user's folders and the instance lock.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

namespace {

// Sets environment variables (nullopt: unset) for as long as it lives.
class CEnvironment {
public:
    void Set(const std::string& name, std::optional<std::string> value)
    {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    ~CEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

} // namespace

TEST(FileIo, SavesThroughALinkAndRefusesWhatIsNoRegularFile)
{
    CScratchDir dir;
    WriteFile(dir.In("real"), "old");
    fs::create_symlink("real", dir.In("link"));
    ASSERT_EQ(WriteFileAtomically(dir.In("link"), "new"), EFileError::None);
    EXPECT_TRUE(fs::is_symlink(dir.In("link")));
    EXPECT_EQ(ReadFile(dir.In("real")), "new");
    ASSERT_EQ(::mkfifo(dir.In("fifo").c_str(), 0600), 0);
    fs::create_directory(dir.In("folder"));
    const std::pair<std::string, EFileError> refused[] = {
        {dir.In("fifo"), EFileError::NotRegular},       {dir.In("folder"), EFileError::NotRegular},
        {"/proc/self/fd/2", EFileError::NotRegular},    {dir.In("folder/"), EFileError::NotAFileName},
        {dir.In("missing/x"), EFileError::CannotCreate}};
    for (const auto& [target, error] : refused)
        EXPECT_EQ(WriteFileAtomically(target, "x"), error) << target;
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"fifo", "folder", "link", "real"}));
}

TEST(FileIo, ReadsAreBoundedAndSettingsAreReadOnlyFromRegularFiles)
{
    CScratchDir dir;
    WriteFile(dir.In("five"), "12345");
    WriteFile(dir.In("big"), "");
    fs::resize_file(dir.In("big"), 50 << 20); // sparse: takes no room
    ASSERT_EQ(::mkfifo(dir.In("fifo").c_str(), 0600), 0); // nobody writes to it
    const struct {
        std::string path;
        EFileError bounded;
        EFileError regular;
    } cases[] = {{dir.In("five"), EFileError::None, EFileError::None},
                 {dir.In("big"), EFileError::TooLarge, EFileError::TooLarge},
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

TEST(TempFolder, WhatIsRegisteredGoesWhenASignalEndsTheProcess)
{
    const std::string folder = MakePrivateTempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(IsPrivateTempFolder(folder));
    EXPECT_TRUE(CreatePrivateFile(folder + "/a"));
    EXPECT_FALSE(CreatePrivateFile(folder + "/a"));
    WriteFile(folder + "/b", "not registered");
    RemoveTemporaryPathsNow();
    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"b"}); // a folder goes only when empty
    fs::remove(folder + "/b");
    RemoveTemporaryPathsNow();
    EXPECT_FALSE(fs::exists(folder));
    UnregisterTemporaryPath(folder + "/a");
    UnregisterTemporaryPath(folder);
    EXPECT_FALSE(IsPrivateTempFolder(folder));
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
                 {std::nullopt, std::nullopt, "/d", database + "/.config", "/d"},
                 {"", "relative", "relative", database + "/.config", database + "/.local/share"},
                 {"/h", "/c", std::nullopt, "/c", "/h/.local/share"}};
    for (const auto& c : cases) {
        CEnvironment environment;
        environment.Set("HOME", c.home);
        environment.Set("XDG_CONFIG_HOME", c.config);
        environment.Set("XDG_DATA_HOME", c.data);
        EXPECT_EQ(GetUserConfigFolder(), c.configFolder);
        EXPECT_EQ(GetUserDataFolder(), c.dataFolder);
    }
}

// A lock file left by a holder that died, or a home where nothing can be written, never keeps
// the program from starting.
TEST(InstanceLock, OneHolderAtATimeAndTheSystemReleasesItWhenTheHolderDies)
{
    CScratchDir dir;
    fs::create_directory(dir.In("run"));
    CEnvironment environment;
    environment.Set("XDG_RUNTIME_DIR", dir.In("run"));
    WriteFile(dir.In("run/lock"), std::to_string(::getpid()));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(CInstanceLock("lock").GetState() == CInstanceLock::EState::Held ? 0 : 1);
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    {
        CInstanceLock first("lock");
        EXPECT_EQ(first.GetState(), CInstanceLock::EState::Held);
        EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Taken);
    }
    EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Held);
    environment.Set("XDG_RUNTIME_DIR", std::nullopt);
    environment.Set("HOME", dir.In("no-home"));
    environment.Set("TMPDIR", dir.Path().string());
    EXPECT_EQ(CInstanceLock("lock").GetState(), CInstanceLock::EState::Held);
    EXPECT_TRUE(fs::exists(dir.In("lock-" + std::to_string(::getuid()))));
}
