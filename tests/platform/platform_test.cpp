// The platform layer itself, for the layers above. Tests change the environment of their own
// process (CTest runs each in one).

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "platform/file_handover.h"
#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/temp_folder.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

TEST(FileIo, ReadsAreBoundedAndSettingsAreReadOnlyFromRegularFiles)
{
    CScratchDir dir;
    WriteFile(dir.In("five"), "12345");
    WriteFile(dir.In("six"), "123456");
    const std::string special = MakeFifoOrNullDevice(dir.In("fifo"));
    const std::string terminal = OpenTerminalDevice();
    ASSERT_FALSE(special.empty() || terminal.empty());
    // A FIFO without a writer reads as empty; a device (Windows' NUL) is not read.
    const EFileError specialRead = fs::is_fifo(special) ? EFileError::None : EFileError::NotRegular;
    const struct {
        std::string path;
        EFileError bounded;
        EFileError regular;
    } cases[] = {{dir.In("five"), EFileError::None, EFileError::None},
                 {dir.In("six"), EFileError::TooLarge, EFileError::TooLarge},
                 {special, specialRead, EFileError::NotRegular},
                 {terminal, EFileError::NotRegular, EFileError::NotRegular}, // a read would wait
                 {dir.Path().string(), EFileError::NotRegular, EFileError::NotRegular},
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

// A second start hands its file to the holder of the lock, and only to it; once the holder has
// gone, nothing takes the file. So too where the folder's path is longer than a socket address.
TEST(FileHandover, TheHolderOfTheLockReceivesTheNameASecondStartSends)
{
    CScratchDir dir;
    fs::create_directory(dir.In(std::string(120, 'r')));
    for (const std::string& folder : {dir.Path().string(), dir.In(std::string(120, 'r'))}) {
        SetEnv("XDG_RUNTIME_DIR", folder);
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
        EXPECT_FALSE(fs::exists(folder + "/lock.socket"));
    }
    SetEnv("XDG_RUNTIME_DIR", std::nullopt);
}
