// Saving when the disk is full or the target may not be written: the old file survives, the
// data stay as they were, and the user is told why.

#include <algorithm>
#include <fstream>

#include "radio/archive.h"
#include "radio/r455_radio.h"
#include "tests/common/cli_tool.h"
#include "tests/common/document_text.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

namespace {

using SaveFaultTest = CToolTest;

const char kOldDocument[] = "22700101\r\n#an older data set\r\n";

const std::string kWriteFailed =
    std::to_string(CArchiveException::writeFailed) + ": The file could not be written.";

} // namespace

// The document's own file on a full disk (/dev/full refuses every byte), and a temporary folder
// too full for the engine's snapshot: the user must hear that the file could not be written, not
// that its format is unexpected, and the data stay modified so that closing will still ask. The
// clone transfer file (SaveToFile) keeps what it held: nothing half-written takes its place.
TEST_F(SaveFaultTest, FullDiskIsAWriteFailureAndKeepsDataAndFiles)
{
    CNewRadio radio;
    PutChannel(radio, 3, "121.500", "");
    std::ofstream full;
    full.rdbuf()->pubsetbuf(nullptr, 0); // unbuffered: each line meets the full disk at once
    full.open("/dev/full", std::ios::binary);
    ASSERT_TRUE(full.is_open());
    CArchive ar(full);
    EXPECT_EQ(ArchiveError([&] { radio.Serialize(ar); }), kWriteFailed);
    const std::string path = m_dir.In("transfer.qrb");
    WriteFile(path, kOldDocument);
    {
        CFileSizeLimit fullTemporaryFolder(200);
        EXPECT_EQ(ArchiveError([&] { Store(radio); }), kWriteFailed);
        EXPECT_EQ(radio.GetLastFileResult(), "WRITE_ERROR");
        EXPECT_FALSE(radio.SaveToFile(path));
        EXPECT_EQ(radio.GetLastFileResult(), "WRITE_ERROR");
    }
    EXPECT_TRUE(radio.IsEdited());
    EXPECT_EQ(radio.GetChFrequency(3), "121.500");
    EXPECT_EQ(ReadFile(path), kOldDocument);
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"transfer.qrb"});
    // Once there is room again the same data save completely.
    std::string stored = Store(radio);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 33);
    EXPECT_NE(stored.find("\r\n#"), std::string::npos);
    EXPECT_FALSE(radio.IsEdited());
    EXPECT_TRUE(radio.SaveToFile(path));
    EXPECT_NE(ReadFile(path), kOldDocument);
}

TEST_F(SaveFaultTest, ToolOnFullDiskKeepsTheOldDocument)
{
    struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"new", "@doc.qrb"}, 1, "",
         "pwr455-cli: cannot save '@doc.qrb': The file could not be written.\n"},
        {{"read", "@doc.qrb", "--simulate", "--quiet"}, 77,
         "Now reading <- TR\nErr: Cannot read cloning data.\nThe temporary file for the cloning "
         "data cannot be created or opened.\n\nCheck the free space and the permissions of the "
         "temporary folder.\n", ""},
    };
    for (const auto& c : cases) {
        WriteFile(m_dir.In("doc.qrb"), kOldDocument);
        ProcessOptions options = Options();
        options.fileSizeLimit = 600; // less than one clone data file
        const ProcessResult r = Run(c.args, options);
        EXPECT_EQ(r.status, c.status) << c.args[0];
        EXPECT_EQ(r.out, c.out) << c.args[0];
        EXPECT_EQ(r.err, At(c.err)) << c.args[0];
        EXPECT_EQ(ReadFile(m_dir.In("doc.qrb")), kOldDocument) << c.args[0];
        EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"doc.qrb"}) << c.args[0];
    }
}

// A target the user may not write. Root may write anything, so the tool runs without the
// capabilities that allow it: still the owner of the (maybe private) temporary folder.
TEST_F(SaveFaultTest, ToolRefusesReadOnlyTargets)
{
    ProcessOptions options = Options();
    options.unprivileged = true;
    if (IsSuperUser() && RunProcess({"/bin/true"}, options).status != 0)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    const std::string noNewFile = "cannot create a new file in the target's folder";
    const struct {
        const char* what;
        unsigned filePerms; // 0: no file yet
        unsigned folderPerms;
        std::string reason;
    } cases[] = {
        {"read-only file in a writable folder", 0444, 0777, "the file is read-only"},
        {"writable file in a read-only folder", 0666, 0555, noNewFile},
        {"new file in a read-only folder", 0, 0555, noNewFile},
    };
    for (const auto& c : cases) {
        CScratchDir scratch;
        const fs::path folder = scratch.Path() / "docs";
        fs::create_directory(folder);
        const std::string target = (folder / "doc.qrb").string();
        if (c.filePerms) {
            WriteFile(target, kOldDocument);
            fs::permissions(target, fs::perms(c.filePerms));
        }
        fs::permissions(folder, fs::perms(c.folderPerms));
        const std::vector<std::string> before = ListFolder(folder);

        const ProcessResult r = Run({"new", target}, options);
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        EXPECT_EQ(r.err, "pwr455-cli: cannot save '" + target + "': " + c.reason + "\n") << c.what;
        EXPECT_EQ(ListFolder(folder), before) << c.what;
        EXPECT_EQ(ReadFile(target), c.filePerms ? kOldDocument : "") << c.what;
    }
}
