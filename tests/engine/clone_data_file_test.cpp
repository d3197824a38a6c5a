#include "engine/clone_data_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <vector>

#include "engine/clone_image.h"
#include "engine/hex_record.h"
#include "tests/common/test_files.h"
#include "tests/engine/command_steps.h"

static void FillPattern(CCloneImage& image, unsigned seed)
{
    std::mt19937 random(seed);
    image.Resize(512);
    for (uint32_t a = 0; a < 512; ++a)
        image.WriteByte(a, static_cast<uint8_t>(random()));
}

// Loads the text into the image and checks that a failed load left the image exactly as it was.
static std::string Load(const std::string& text, CCloneImage& image)
{
    const std::string before = Hex(image, 0, image.GetSize());
    std::istringstream in(text);
    const std::string result = CCloneDataFile::Load(in, image);
    EXPECT_TRUE(result == "OK" || Hex(image, 0, image.GetSize()) == before) << result;
    return result;
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
    std::string Replaced(size_t n, const std::string& line) const
    {
        std::vector<std::string> lines = m_lines;
        lines[n] = line;
        return Join(lines);
    }

    CCloneImage m_source, m_target;
    std::string m_saved;
    std::vector<std::string> m_lines;
};

TEST_F(CloneDataFileTest, SavedLayoutLoadsBackAndEachFaultHasItsResult)
{
    ASSERT_EQ(m_lines.size(), 33u);
    EXPECT_EQ(m_saved.substr(m_saved.size() - 2), "\r\n");
    EXPECT_EQ(m_lines[0] + m_lines[1], "22700101#comment");
    for (uint32_t i = 0; i < 31; ++i) {
        char head[8];
        std::snprintf(head, sizeof head, "%04X10", 0x10 + 16 * i);
        EXPECT_EQ(m_lines[2 + i], head + Hex(m_source, 0x10 + 16 * i, 16));
    }
    const std::string before = Hex(m_target, 0, 0x10);
    ASSERT_EQ(Load(m_saved, m_target), "OK");
    EXPECT_EQ(Hex(m_target, 0, 0x200), before + Hex(m_source, 0x10, 0x1F0));
    const std::string twoLines = CCloneDataFile::Format(m_source, "two\r\nlines\n");
    EXPECT_EQ(SplitCrLf(twoLines)[1], "#two  lines ");
    EXPECT_EQ(Load(twoLines, m_target), "OK");
    const std::pair<std::string, const char*> cases[] = {{"", "FORMAT_ERROR"}, {"\r\n", "FORMAT_ERROR"},
        {"12700101", "MISMATCH_MODEL"}, {"22700101", "NOT_ENOUGH_DATA"}, {Replaced(0, "2270010"), "FORMAT_ERROR"},
        {Replaced(0, "227001011"), "FORMAT_ERROR"}, {Replaced(0, "22710101"), "MISMATCH_MODEL"},
        {Replaced(0, "22700102"), "MISMATCH_REVISION"}, {Replaced(0, "2270A101"), "FORMAT_ERROR"},
        {Replaced(0, "2271X101"), "MISMATCH_MODEL"}, {Replaced(0, "22700X02"), "FORMAT_ERROR"},
        {Replaced(10, ""), "FORMAT_ERROR"}, {Replaced(10, "0100010"), "FORMAT_ERROR"},
        {Replaced(10, "0090100G000000000000000000000000000000"), "FORMAT_ERROR"},
        {Replaced(10, "00901100000000000000000000000000000000"), "FORMAT_ERROR"}, // the count is too large
        {Replaced(10, "00900000"), "FORMAT_ERROR"}, {Replaced(10, std::string(517, '0')), "FORMAT_ERROR"},
        {Replaced(10, "00901000000000000000000000000000000000\r"), "FORMAT_ERROR"},
        {Replaced(10, "01F809" + std::string(18, '0')), "DATA_OVERFLOW"}, {Replaced(10, "FFFF0100"), "DATA_OVERFLOW"},
        {Replaced(18, "# no data here"), "NOT_ENOUGH_DATA"}, {Replaced(32, "#"), "NOT_ENOUGH_DATA"},
        {"22700101\r\n" + std::string(5 * 1024 * 1024, 'A'), "FORMAT_ERROR"}}; // a huge line without line ends
    for (const auto& [text, result] : cases)
        EXPECT_EQ(Load(text, m_target), result) << text.substr(0, 60);
}

TEST_F(CloneDataFileTest, AcceptedVariants)
{
    std::string lower = m_saved;
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(Load(lower, m_target), "OK");
    EXPECT_EQ(Load(Join(m_lines, "\n"), m_target), "OK");
    EXPECT_EQ(Load(m_saved.substr(0, m_saved.size() - 2), m_target), "OK");
    // Comment lines anywhere after the first; only 0x0080 to 0x01FF required; an 8-byte record at the end.
    std::vector<std::string> lines = {m_lines[0], "#", m_lines[1]};
    lines.insert(lines.end(), m_lines.begin() + 9, m_lines.end());
    lines.push_back("01F808" + std::string(16, 'A'));
    const std::string kept = Hex(m_target, 0, 0x80);
    ASSERT_EQ(Load(Join(lines), m_target), "OK");
    EXPECT_EQ(Hex(m_target, 0, 0x200), kept + Hex(m_source, 0x80, 0x178) + std::string(16, 'A'));
    // Records in any order, unaligned and overlapping: 0x007F to 0x01FF backwards in 3-byte records.
    lines.resize(2);
    for (int a = 0x1FD; a >= 0x7F; a -= 2) {
        char line[16];
        std::snprintf(line, sizeof line, "%04X03%02X%02X%02X", a, a & 0xFF, (a + 1) & 0xFF, (a + 2) & 0xFF);
        lines.push_back(line);
    }
    ASSERT_EQ(Load(Join(lines), m_target), "OK");
    EXPECT_EQ(Hex(m_target, 0x7F, 2) + Hex(m_target, 0x180, 1) + Hex(m_target, 0x1FF, 1), "7F8080FF");
    lines.erase(lines.begin() + 40); // address 0x01B2 is left out
    EXPECT_EQ(Load(Join(lines), m_target), "NOT_ENOUGH_DATA");
}

TEST(HexRecord, SpareBitsOfAnOddSizedImageCountAsLoaded)
{
    CCloneImage image(20), other(20);
    CHexRecord record;
    record.Bind(image);
    ASSERT_EQ(record.Parse("000F050102030405"), "OK"); // the last five addresses
    record.Commit();
    record.Bind(image); // the same image keeps the bitmap, another one starts afresh
    EXPECT_TRUE(record.IsLoadedFrom(2) && !record.IsLoadedFrom(1));
    record.Bind(other);
    EXPECT_FALSE(record.IsLoadedFrom(2));
}
