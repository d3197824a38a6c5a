#include "engine/clone_data_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "engine/clone_image.h"
#include "engine/hex_record.h"
#include "engine/radio_engine.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

namespace {

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n")
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

void FillPattern(CCloneImage& image, unsigned seed)
{
    std::mt19937 random(seed);
    image.Resize(512);
    for (uint32_t a = 0; a < 512; ++a) {
        image.WriteByte(a, static_cast<uint8_t>(random()));
    }
}

std::string Load(const std::string& text, CCloneImage& image)
{
    std::istringstream in(text);
    return CCloneDataFile::Load(in, image);
}

class CloneDataFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillPattern(m_source, 1);
        m_saved = CCloneDataFile::Format(m_source, "comment");
        m_lines = SplitCrLf(m_saved);
        FillPattern(m_target, 2);
    }
    // Loads text into the target and checks that a failure left it exactly as it was.
    std::string LoadIntoTarget(const std::string& text)
    {
        m_before.CopyFrom(m_target);
        const std::string result = Load(text, m_target);
        if (result != "OK") {
            EXPECT_TRUE(m_target.Equals(m_before)) << result;
        }
        return result;
    }

    CCloneImage m_source;
    CCloneImage m_target;
    CCloneImage m_before;
    std::string m_saved;
    std::vector<std::string> m_lines;
};

} // namespace

TEST_F(CloneDataFileTest, SavedLayout)
{
    ASSERT_EQ(m_lines.size(), 33u);
    EXPECT_EQ(m_saved.substr(m_saved.size() - 2), "\r\n");
    EXPECT_EQ(m_lines[0], "22700101");
    EXPECT_EQ(m_lines[1], "#comment");
    for (int i = 0; i < 31; ++i) {
        const std::string& line = m_lines[static_cast<size_t>(2 + i)];
        char head[8];
        std::snprintf(head, sizeof head, "%04X10", 0x10 + 16 * i);
        EXPECT_EQ(line.size(), 38u);
        EXPECT_EQ(line.substr(0, 6), head);
        EXPECT_EQ(line.find_first_not_of("0123456789ABCDEF"), std::string::npos) << line;
    }
    EXPECT_EQ(m_lines[2].substr(0, 6), "001010");
    char first[4];
    std::snprintf(first, sizeof first, "%02X", m_source.ReadByte(0x10));
    EXPECT_EQ(m_lines[2].substr(6, 2), first);
}

TEST_F(CloneDataFileTest, LineBreaksInTheCommentCannotBreakTheFile)
{
    const std::string text = CCloneDataFile::Format(m_source, "two\r\nlines\n");
    EXPECT_EQ(SplitCrLf(text)[1], "#two  lines ");
    EXPECT_EQ(LoadIntoTarget(text), "OK");
}

TEST_F(CloneDataFileTest, RoundTripKeepsTheLowBytes)
{
    ASSERT_EQ(LoadIntoTarget(m_saved), "OK");
    for (uint32_t a = 0; a < 0x10; ++a) {
        EXPECT_EQ(m_target.ReadByte(a), m_before.ReadByte(a));
    }
    for (uint32_t a = 0x10; a < 0x200; ++a) {
        ASSERT_EQ(m_target.ReadByte(a), m_source.ReadByte(a)) << a;
    }
}

TEST_F(CloneDataFileTest, IdentificationLineTable)
{
    struct Case {
        std::string text;
        const char* result;
    };
    const std::string records = Join(std::vector<std::string>(m_lines.begin() + 1, m_lines.end()));
    const Case cases[] = {
        {"", "FORMAT_ERROR"},
        {"\r\n", "FORMAT_ERROR"},
        {"2270010\r\n" + records, "FORMAT_ERROR"},
        {"227001011\r\n" + records, "FORMAT_ERROR"},
        {"22710101\r\n" + records, "MISMATCH_MODEL"},
        {"22700102\r\n" + records, "MISMATCH_REVISION"},
        {"2270A101\r\n" + records, "FORMAT_ERROR"},
        {"2271X101\r\n" + records, "MISMATCH_MODEL"},
        {"22700X02\r\n" + records, "FORMAT_ERROR"},
        {"12700101", "MISMATCH_MODEL"},
        {"22700101", "NOT_ENOUGH_DATA"},
        {"22700101\r\n" + records, "OK"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadIntoTarget(c.text), c.result) << c.text.substr(0, 10);
    }
}

TEST_F(CloneDataFileTest, RecordFailuresLeaveTheImageUnchanged)
{
    struct Case {
        const char* description;
        size_t line;        // line index to replace
        std::string record; // its new text
        const char* result;
    };
    const Case cases[] = {
        {"empty line", 10, "", "FORMAT_ERROR"},
        {"too short", 10, "0100010", "FORMAT_ERROR"},
        {"not hex", 10, "0090100G000000000000000000000000000000", "FORMAT_ERROR"},
        {"inner space", 10, "0090100 000000000000000000000000000000", "FORMAT_ERROR"},
        {"count too large", 10, "00901100000000000000000000000000000000", "FORMAT_ERROR"},
        {"count zero", 10, "00900000", "FORMAT_ERROR"},
        {"too long", 10, std::string(517, '0'), "FORMAT_ERROR"},
        {"stray CR", 10, "00901000000000000000000000000000000000\r", "FORMAT_ERROR"},
        {"beyond the image", 10, "01F809" + std::string(18, '0'), "DATA_OVERFLOW"},
        {"far beyond", 10, "FFFF0100", "DATA_OVERFLOW"},
        {"missing record", 18, "# no data here", "NOT_ENOUGH_DATA"},
        {"a comment only", 32, "#", "NOT_ENOUGH_DATA"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = m_lines;
        lines[c.line] = c.record;
        FillPattern(m_target, 2);
        EXPECT_EQ(LoadIntoTarget(Join(lines)), c.result) << c.description;
    }
}

TEST_F(CloneDataFileTest, AcceptedVariants)
{
    // Lower-case hex.
    std::vector<std::string> lines = m_lines;
    for (size_t i = 2; i < lines.size(); ++i) {
        for (char& ch : lines[i]) {
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
    }
    EXPECT_EQ(LoadIntoTarget(Join(lines)), "OK");
    // Bare line feeds, and no line end after the last line.
    EXPECT_EQ(LoadIntoTarget(Join(m_lines, "\n")), "OK");
    std::string noFinalEnd = m_saved;
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_EQ(LoadIntoTarget(noFinalEnd), "OK");
    // Comment lines anywhere after the first line, and an eight-byte record at the very end.
    lines = m_lines;
    lines.insert(lines.begin() + 5, "#between records");
    lines.push_back("01F808" + std::string(16, 'A'));
    EXPECT_EQ(LoadIntoTarget(Join(lines)), "OK");
    EXPECT_EQ(m_target.ReadByte(0x1FF), 0xAA);
    EXPECT_EQ(m_target.ReadByte(0x1F7), m_source.ReadByte(0x1F7));
}

TEST_F(CloneDataFileTest, OnlyTheUpperPartIsRequired)
{
    std::vector<std::string> lines(m_lines.begin(), m_lines.begin() + 2);
    lines.insert(lines.end(), m_lines.begin() + 9, m_lines.end()); // records 0x0080 to 0x01F0
    ASSERT_EQ(LoadIntoTarget(Join(lines)), "OK");
    for (uint32_t a = 0; a < 0x80; ++a) {
        EXPECT_EQ(m_target.ReadByte(a), m_before.ReadByte(a)) << a;
    }
    EXPECT_EQ(m_target.ReadByte(0x80), m_source.ReadByte(0x80));
}

TEST_F(CloneDataFileTest, RecordsInAnyOrderUnalignedAndOverlapping)
{
    std::vector<std::string> lines(m_lines.begin(), m_lines.begin() + 2);
    // 0x0080 to 0x01FF in reverse order, as 3-byte records that overlap by one byte.
    for (int a = 0x1FD; a >= 0x7F; a -= 2) {
        char head[8];
        std::snprintf(head, sizeof head, "%04X03", a);
        std::string line = head;
        for (int i = 0; i < 3; ++i) {
            char b[4];
            std::snprintf(b, sizeof b, "%02X", (a + i) & 0xFF);
            line += b;
        }
        lines.push_back(line);
    }
    ASSERT_EQ(LoadIntoTarget(Join(lines)), "OK");
    EXPECT_EQ(m_target.ReadByte(0x180), 0x80);
    EXPECT_EQ(m_target.ReadByte(0x1FF), 0xFF);
    EXPECT_EQ(m_target.ReadByte(0x7F), 0x7F);

    // The same with address 0x01B2 left out is incomplete.
    lines.erase(lines.begin() + 40);
    EXPECT_EQ(LoadIntoTarget(Join(lines)), "NOT_ENOUGH_DATA");
}

TEST(HexRecordTest, BitmapMarksExactlyTheCommittedAddresses)
{
    CCloneImage image(20); // not a multiple of 8: spare bits count as loaded
    CHexRecord record;
    record.Bind(image);
    EXPECT_FALSE(record.IsLoadedFrom(2));
    ASSERT_EQ(record.Parse("000F0401020304"), "OK");
    record.Commit();
    EXPECT_FALSE(record.IsLoadedFrom(2)); // address 0x13 is still missing
    EXPECT_TRUE(record.IsLoadedFrom(3)); // no such byte: nothing missing
    ASSERT_EQ(record.Parse("001301FF"), "OK");
    record.Commit();
    EXPECT_TRUE(record.IsLoadedFrom(2));
    EXPECT_FALSE(record.IsLoadedFrom(1));
    EXPECT_EQ(image.ReadByte(0x0F), 1);
    EXPECT_EQ(image.ReadByte(0x13), 0xFF);
    EXPECT_EQ(record.Parse("001402FFFF"), "DATA_OVERFLOW");
    record.Bind(image); // the same image: the bitmap is kept
    EXPECT_TRUE(record.IsLoadedFrom(2));
    CCloneImage other(20);
    record.Bind(other);
    EXPECT_FALSE(record.IsLoadedFrom(2));
}

TEST(CloneDataFileProperty, RandomImagesRoundTrip)
{
    for (unsigned seed = 10; seed < 60; ++seed) {
        CCloneImage source;
        FillPattern(source, seed);
        CCloneImage target;
        FillPattern(target, seed + 1000);
        ASSERT_EQ(Load(CCloneDataFile::Format(source, "x"), target), "OK");
        for (uint32_t a = 0x10; a < 0x200; ++a) {
            ASSERT_EQ(target.ReadByte(a), source.ReadByte(a)) << seed << " " << a;
        }
    }
}

TEST(CloneDataFileProperty, RandomEngineImagesSurviveSaveAndLoad)
{
    // Any loaded image is healed; saving and loading the healed image must reproduce it.
    const std::string raw = ::testing::TempDir() + "property_raw.qrb";
    const std::string healed = ::testing::TempDir() + "property_healed.qrb";
    for (unsigned seed = 0; seed < 20; ++seed) {
        CCloneImage source;
        FillPattern(source, seed);
        WriteFile(raw, CCloneDataFile::Format(source, ""));
        CRadioEngine first;
        ASSERT_EQ(first.Execute("FILE.LOAD.\"" + raw + "\""), "OK");
        ASSERT_EQ(first.Execute("FILE.SAVE.\"" + healed + "\""), "OK");
        CRadioEngine second;
        ASSERT_EQ(second.Execute("FILE.LOAD.\"" + healed + "\""), "OK");
        EXPECT_TRUE(second.GetImage().Equals(first.GetImage())) << seed;
        EXPECT_EQ(second.Execute("EDIT_FLAG=OFF"), "OFF");
        EXPECT_EQ(second.Execute("CH.MCH.7.ALL"), first.Execute("CH.MCH.7.ALL"));
    }
    std::remove(raw.c_str());
    std::remove(healed.c_str());
}

TEST(CloneDataFileProperty, SingleByteMutationsLoadOrChangeNothing)
{
    CCloneImage source;
    FillPattern(source, 7);
    const std::string saved = CCloneDataFile::Format(source, "mutations");
    std::mt19937 random(99);
    int loaded = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text = saved;
        text[random() % text.size()] = static_cast<char>(random());
        CCloneImage target;
        FillPattern(target, static_cast<unsigned>(i));
        CCloneImage before;
        before.CopyFrom(target);
        const std::string result = Load(text, target);
        if (result == "OK") {
            ++loaded;
        } else {
            ASSERT_TRUE(target.Equals(before)) << result << " at mutation " << i;
        }
    }
    // Mutations inside the comment line or to another hex digit still load.
    EXPECT_GT(loaded, 0);
}

class CloneDataFileDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::path(::testing::TempDir()) / ("clone_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        FillPattern(m_image, 3);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    size_t FileCount() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
    CCloneImage m_image;
};

TEST_F(CloneDataFileDiskTest, SaveReplacesTheFileAndLeavesNothingElse)
{
    const std::string path = (m_dir / "data.qrb").string();
    WriteFile(path, "old contents");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(CCloneDataFile::Save(path, m_image, "c"), "OK");
    EXPECT_EQ(ReadFile(path), CCloneDataFile::Format(m_image, "c"));
    EXPECT_EQ(FileCount(), 1u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    CCloneImage loaded;
    FillPattern(loaded, 4);
    EXPECT_EQ(CCloneDataFile::Load(path, loaded), "OK");
}

TEST_F(CloneDataFileDiskTest, SaveThroughALinkReplacesItsTarget)
{
    const fs::path target = m_dir / "real.qrb";
    const fs::path link = m_dir / "link.qrb";
    WriteFile(target.string(), "old");
    fs::create_symlink(target, link);
    ASSERT_EQ(CCloneDataFile::Save(link.string(), m_image, ""), "OK");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target.string()).substr(0, 8), "22700101");
}

TEST_F(CloneDataFileDiskTest, WriteFailureIsReportedAndKeepsTheOldFile)
{
    const std::string path = (m_dir / "full.qrb").string();
    WriteFile(path, "previous file");
    // Simulate a full disk: files of this process may not grow beyond 100 bytes.
    CFileSizeLimit full(100);
    ASSERT_TRUE(full.IsActive());
    const std::string result = CCloneDataFile::Save(path, m_image, "");
    full.Lift();
    EXPECT_EQ(result, "WRITE_ERROR");
    EXPECT_EQ(ReadFile(path), "previous file");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(CloneDataFileDiskTest, EngineAnswersWriteError)
{
    const std::string path = (m_dir / "engine_full.qrb").string();
    CRadioEngine engine;
    CFileSizeLimit full(100);
    ASSERT_TRUE(full.IsActive());
    const std::string result = engine.Execute("FILE.SAVE.\"" + path + "\"");
    full.Lift();
    EXPECT_EQ(result, "WRITE_ERROR");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(CloneDataFileDiskTest, HugeLineWithoutLineEndsIsRefused)
{
    const std::string path = (m_dir / "huge.qrb").string();
    WriteFile(path, "22700101\r\n" + std::string(5 * 1024 * 1024, 'A'));
    CCloneImage before;
    before.CopyFrom(m_image);
    EXPECT_EQ(CCloneDataFile::Load(path, m_image), "FORMAT_ERROR");
    EXPECT_TRUE(m_image.Equals(before));
}
