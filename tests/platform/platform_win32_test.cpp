// What only Windows has: share modes, pipes in one namespace for the whole machine, access
// control lists, and the known folders behind %APPDATA% and %LOCALAPPDATA%.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include "platform/file_handover.h"
#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/temp_folder.h"
#include "platform/user_folders.h"
#include "platform/user_security_win32.h"
#include "platform/utf16_win32.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

namespace {

// A handle that another program would hold: open with the given sharing, closed at the end.
class COpenElsewhere {
public:
    COpenElsewhere(const std::string& path, DWORD share)
        : m_handle(::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, share, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))
    {
    }
    ~COpenElsewhere() { ::CloseHandle(m_handle); }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

} // namespace

// A file that another program holds open without leave to delete it cannot be replaced: the
// check before a save says so with the system's reason, and the save leaves the file as it was.
// A program that shares everything does not stand in the way.
TEST(FileIoWin32, ATargetHeldOpenElsewhereIsRefusedBeforeAnythingIsWritten)
{
    CScratchDir dir;
    const std::string target = dir.In("held.qrb");
    const struct {
        DWORD share;
        EFileError expected;
    } cases[] = {{FILE_SHARE_READ, EFileError::CannotReplace},
                 {FILE_SHARE_READ | FILE_SHARE_WRITE, EFileError::CannotReplace},
                 {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, EFileError::None}};
    for (const auto& c : cases) {
        WriteFile(target, "old");
        const COpenElsewhere other(target, c.share);
        ASSERT_TRUE(other.IsOpen());
        std::string detail;
        EXPECT_EQ(CheckWritable(target, &detail), c.expected) << c.share;
        EXPECT_EQ(detail.empty(), c.expected == EFileError::None) << c.share;
        if (c.expected != EFileError::None) {
            EXPECT_EQ(WriteFileAtomically(target, "new"), c.expected) << c.share;
            EXPECT_EQ(ReadFile(target), "old") << c.share;
        }
        EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"held.qrb"}) << c.share;
    }
}

// A relative %APPDATA% or %LOCALAPPDATA% would put the profile under whatever folder the program
// was started in: the system's own folder is used instead, as for an unset one.
TEST(UserFoldersWin32, RelativeAppDataFoldersDoNotCount)
{
    CScratchDir dir;
    SetEnv("XDG_CONFIG_HOME", std::nullopt);
    SetEnv("XDG_DATA_HOME", std::nullopt);
    const std::string systemConfig = GetUserConfigFolder();
    const std::string systemData = GetUserDataFolder();
    ASSERT_TRUE(fs::u8path(systemConfig).is_absolute() && fs::u8path(systemData).is_absolute());
    const struct {
        std::string given;
        bool used;
    } cases[] = {{"relative", false}, {"\\rooted", false}, {"C:drive-relative", false},
                 {dir.In("abs"), true}};
    for (const auto& c : cases) {
        SetEnv("XDG_CONFIG_HOME", c.given);
        SetEnv("XDG_DATA_HOME", c.given);
        EXPECT_EQ(GetUserConfigFolder(), c.used ? c.given : systemConfig) << c.given;
        EXPECT_EQ(GetUserDataFolder(), c.used ? c.given : systemData) << c.given;
    }
    SetEnv("XDG_CONFIG_HOME", std::nullopt);
    SetEnv("XDG_DATA_HOME", std::nullopt);
}

// A private folder that no process holds any more (its run was killed) goes, with its files,
// when the next one is made; those still held, and other folders, stay.
TEST(TempFolderWin32, FoldersThatKilledRunsLeftGoWhenTheNextIsMade)
{
    CScratchDir dir;
    SetEnv("TMPDIR", dir.Path().string());
    fs::create_directory(dir.In("pwr455-killed"));
    WriteFile(dir.In("pwr455-killed/cw0000.tmp"), "data");
    fs::create_directory(dir.In("pwr455-other-name"));
    const std::string held = MakePrivateTempFolder();
    ASSERT_FALSE(held.empty());
    const std::string next = MakePrivateTempFolder();
    ASSERT_FALSE(next.empty());
    std::vector<std::string> expected = {"pwr455-other-name", fs::u8path(held).filename().string(),
                                         fs::u8path(next).filename().string()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListFolder(dir.Path()), expected);
    RemovePrivateTempFolder(held);
    RemovePrivateTempFolder(next);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"pwr455-other-name"});
    SetEnv("TMPDIR", std::nullopt);
}

// The handover pipe is this session's and this user's: only the user may open it, and a pipe of
// its name made before (by another program) is never taken for ours.
TEST(FileHandoverWin32, ThePipeIsTheUsersAloneAndNeverOneMadeBefore)
{
    const std::string lockName = "pwr455-test-" + std::to_string(::GetCurrentProcessId());
    {
        CInstanceLock lock(lockName);
        ASSERT_EQ(lock.GetState(), CInstanceLock::EState::Held);
        const std::wstring name = Utf8ToWide(CFileHandover::GetChannelName(lock));
        DWORD session = 0;
        ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
        EXPECT_NE(name.find(L" " + std::to_wstring(session) + L" S-1-"), std::wstring::npos);
        const CFileHandover listener(lock, [](const std::string&) {});
        ASSERT_TRUE(listener.IsListening());
        const HANDLE pipe = ::CreateFileW(name.c_str(), GENERIC_WRITE | READ_CONTROL, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
        PACL acl = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_EQ(::GetSecurityInfo(pipe, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                    nullptr, &acl, nullptr, &descriptor),
                  static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_NE(acl, nullptr);
        EXPECT_EQ(acl->AceCount, 1);
        ACCESS_ALLOWED_ACE* ace = nullptr;
        wchar_t* sid = nullptr;
        ASSERT_TRUE(::GetAce(acl, 0, reinterpret_cast<void**>(&ace)) &&
                    ::ConvertSidToStringSidW(&ace->SidStart, &sid));
        EXPECT_EQ(std::wstring(sid), GetCurrentUserSid());
        ::LocalFree(sid);
        ::LocalFree(descriptor);
        ::CloseHandle(pipe);
    }
    CInstanceLock lock(lockName);
    const HANDLE squatter = ::CreateNamedPipeW(
        Utf8ToWide(CFileHandover::GetChannelName(lock)).c_str(), PIPE_ACCESS_INBOUND,
        PIPE_TYPE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 0, 4096, 0, nullptr);
    ASSERT_NE(squatter, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CFileHandover(lock, [](const std::string&) {}).IsListening());
    ::CloseHandle(squatter);
}
