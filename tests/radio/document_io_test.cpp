#include "radio/document_io.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "radio/atomic_save.h"
#include "radio/r455_radio.h"
#include "tests/common/document_text.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

static bool Save(const std::string& target, const std::string& text, std::string* error = nullptr)
{
    return SaveAtomically(target, [&](std::ostream& out) { out << text; }, error);
}

static struct stat Status(const std::string& path)
{
    struct stat status = {};
    ::lstat(path.c_str(), &status);
    return status;
}

TEST(AtomicSaveTest, ReplacesTheFileOrLeavesItAsItWasAndKeepsModeOwnerGroupAndLinks)
{
    CScratchDir dir;
    const std::string target = dir.In("data.qrb");
    EXPECT_TRUE(Save(target, "first"));
    EXPECT_TRUE(Save(target, "second"));
    EXPECT_THROW(SaveAtomically(target, [](std::ostream& out) { out << "half"; throw std::runtime_error("full"); }),
                 std::runtime_error);
    std::string error;
    EXPECT_FALSE(SaveAtomically(target, [](std::ostream& out) { out.setstate(std::ios::badbit); }, &error));
    EXPECT_EQ(error, "cannot write the new file");
    EXPECT_EQ(ReadFile(target), "second");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data.qrb"});
    // A replaced file keeps its mode, and its owner and group where the process may set them (a
    // save by root must not make another user's file root's); a link to it is written through.
    const std::string real = dir.In("real.qrb");
    WriteFile(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
    }
    fs::create_symlink(real, dir.In("link.qrb"));
    ASSERT_TRUE(Save(dir.In("link.qrb"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.In("link.qrb")));
    EXPECT_EQ(ReadFile(real), "new");
    const struct stat after = Status(real);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(after.st_gid, root ? 65534u : ::getegid());
}

TEST(AtomicSaveTest, TargetsThatAreNoRegularFileAreRefused)
{
    CScratchDir dir;
    const std::string notRegular = "not a regular file (a folder, a device, a pipe or a socket)";
    struct sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    dir.In("socket").copy(address.sun_path, sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // A device node of our own: a root whose save went wrong must not replace the real one.
    const std::string device = ::geteuid() == 0 ? dir.In("null") : "/dev/null";
    if (device != "/dev/null") {
        ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    fs::create_symlink(device, dir.In("to-device"));
    const std::pair<std::string, std::string> cases[] = {
        {device, notRegular},
        {dir.In("to-device"), notRegular},
        {dir.In("socket"), notRegular},
        {"/proc/self/fd/2", notRegular},
        {dir.Path().string() + "/", "not a file name"},
        {"", "not a file name"},
    };
    const std::vector<std::string> before = dir.Entries();
    for (const auto& [target, reason] : cases) {
        const struct stat old = Status(target);
        std::string error;
        EXPECT_FALSE(Save(target, "x", &error)) << target;
        EXPECT_EQ(error, reason) << target;
        EXPECT_EQ(CheckSaveTarget(target), reason) << target;
        EXPECT_EQ(Status(target).st_ino, old.st_ino) << target;
        EXPECT_EQ(Status(target).st_mode, old.st_mode) << target;
    }
    EXPECT_EQ(dir.Entries(), before);
    ::close(socket);
}

TEST(DocumentOpenTest, EveryKindOfFileGetsItsAnswer)
{
    CScratchDir dir;
    CNewRadio radio;
    std::string error;
    ASSERT_TRUE(SaveDocument(radio, dir.In("good.qrb"), error)) << error;
    const std::string good = ReadFile(dir.In("good.qrb"));
    WriteFile(dir.In("big.qrb"), good + std::string(CRadioData::kMaxDocumentSize, '#'));
    WriteFile(dir.In("model.qrb"), "22710101" + good.substr(8));
    ASSERT_EQ(::mkfifo(dir.In("fifo").c_str(), 0600), 0); // nobody writes to it
    const std::pair<std::string, std::string> cases[] = {
        {dir.In("good.qrb"), "OK"},
        {dir.In("model.qrb"), "MISMATCH_MODEL"},
        {dir.In("big.qrb"), "FORMAT_ERROR"},
        {"/dev/zero", "FORMAT_ERROR"},
        {dir.In("fifo"), "FORMAT_ERROR"},
        {dir.Path().string(), "CANNOT_OPEN_FILE"},
        {dir.In("missing.qrb"), "CANNOT_OPEN_FILE"},
    };
    for (const auto& [path, answer] : cases) {
        CNewRadio opened;
        opened.SetBeep("OFF");
        EXPECT_EQ(OpenDocument(opened, path), answer) << path;
        EXPECT_EQ(opened.GetBeep(), answer == "OK" ? "ON" : "OFF") << path;
    }
}
