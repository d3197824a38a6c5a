#include "radio/radio_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "radio/archive.h"
#include "radio/r455_radio.h"
#include "recording_radio.h"
#include "tests/common/test_files.h"
#include "tests/common/document_text.h"

namespace fs = std::filesystem;
using Sent = std::vector<std::string>;

namespace {

std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A data set that differs from a new one in a channel and two settings.
void Edit(CR455Radio& radio)
{
    std::string frequency = "121.5";
    radio.SetChFrequency(3, frequency);
    radio.SetChAppear(3, "ON");
    radio.SetChName(3, "TOWER");
    radio.SetChTxInhibit(3, "ON");
    radio.SetBeep("OFF");
    radio.SetCloneComment("Field day");
    radio.Heal();
}

class RadioDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("pwr-radio-" + std::string(
                                    ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string PathIn(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

} // namespace

TEST_F(RadioDataTest, ResetSequence)
{
    CRecordingRadio radio;
    radio.forward = true;
    radio.ResetData();
    const std::string save = "FILE.SAVE.\"" + radio.GetTempPath() + "\"";
    EXPECT_EQ(radio.sent, (Sent{"INITIALIZE", save, save, "EDIT_FLAG=OFF"}));
    EXPECT_EQ(radio.GetLastFileResult(), "OK");
    EXPECT_FALSE(radio.IsEdited());
}

TEST_F(RadioDataTest, BaseObjectDoesNothingButItsOwnState)
{
    CRadioData data;
    data.ResetData();
    EXPECT_EQ(data.GetModelInfo()->modelCode, 0);
    EXPECT_EQ(data.GetModelInfo()->commentLength, 19);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.GetModelInfo()->comment), 20),
              std::string(19, ' ') + '\0');
    EXPECT_FALSE(data.IsEdited());
    data.SetEdited(true);
    EXPECT_TRUE(data.IsEdited());
    std::string name;
    data.GetModelName(name);
    EXPECT_EQ(name, "Model Machine");
}

TEST_F(RadioDataTest, SaveWritesCrLfCloneDataText)
{
    CR455Radio radio;
    radio.ResetData();
    Edit(radio);
    EXPECT_TRUE(radio.IsEdited());
    std::string text = Store(radio);
    EXPECT_FALSE(radio.IsEdited());

    std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "22700101");
    EXPECT_EQ(lines[1], "#Field day       ");
    EXPECT_EQ(lines[2].substr(0, 6), "001010");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST_F(RadioDataTest, OpenAndSaveRoundTrip)
{
    CR455Radio a;
    a.ResetData();
    Edit(a);
    std::string text = Store(a);

    // The same text with bare line feeds opens to the same data set.
    std::string lf;
    for (const std::string& line : SplitCrLf(text))
        lf += line + "\n";
    CR455Radio b;
    b.ResetData();
    Load(b, lf);
    EXPECT_FALSE(b.IsEdited());
    EXPECT_EQ(b.GetChFrequency(3), "121.500");
    EXPECT_EQ(b.GetChName(3), "TOWER");
    EXPECT_EQ(b.GetChTxInhibit(3), "ON");
    EXPECT_EQ(b.GetBeep(), "OFF");
    EXPECT_EQ(b.GetCloneComment(), "Field day");
    EXPECT_EQ(Store(b), text);
}

TEST_F(RadioDataTest, OpenEmptiesTheTemporaryFileFirst)
{
    CR455Radio radio;
    radio.ResetData();
    std::string text = Store(radio);
    {
        std::ofstream junk(radio.GetTempPath(), std::ios::binary);
        junk << std::string(5000, '#') << "\r\n" << text << text;
    }
    Load(radio, text);
    EXPECT_EQ(ReadFile(radio.GetTempPath()), text);
}

TEST_F(RadioDataTest, EachLoadFailureLeavesTheDataUnchanged)
{
    CR455Radio good;
    good.ResetData();
    const std::vector<std::string> lines = SplitCrLf(Store(good));

    auto without = [&](size_t index) {
        std::vector<std::string> copy = lines;
        copy.erase(copy.begin() + static_cast<long>(index));
        return JoinCrLf(copy);
    };
    auto replaced = [&](size_t index, const std::string& line) {
        std::vector<std::string> copy = lines;
        copy[index] = line;
        return JoinCrLf(copy);
    };
    auto added = [&](const std::string& line) {
        std::vector<std::string> copy = lines;
        copy.push_back(line);
        return JoinCrLf(copy);
    };
    // Record 0x0100 is line 2 + (0x100 - 0x10) / 16.
    const size_t record100 = 2 + (0x100 - 0x10) / 16;
    const struct {
        const char* what;
        std::string text;
        const char* word;
    } cases[] = {
        {"empty file", "", "FORMAT_ERROR"},
        {"short first line", replaced(0, "2270010"), "FORMAT_ERROR"},
        {"other model", replaced(0, "22710101"), "MISMATCH_MODEL"},
        {"other revision", replaced(0, "22700102"), "MISMATCH_REVISION"},
        {"letter in first line", replaced(0, "2270A101"), "FORMAT_ERROR"},
        {"missing record", without(record100), "NOT_ENOUGH_DATA"},
        {"record beyond the image", added("01F809" + std::string(18, '0')), "DATA_OVERFLOW"},
        {"blank line", replaced(5, ""), "FORMAT_ERROR"},
        {"not hex", replaced(5, lines[5].substr(0, 10) + "G" + lines[5].substr(11)),
         "FORMAT_ERROR"},
    };

    for (const auto& c : cases) {
        CR455Radio radio;
        radio.ResetData();
        Edit(radio);
        std::string before = Store(radio);
        radio.SetBeep("ON"); // edited again, not yet saved
        try {
            Load(radio, c.text);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const CArchiveException& e) {
            EXPECT_STREQ(e.what(), "Unexpected file format.") << c.what;
        }
        EXPECT_EQ(radio.GetLastFileResult(), c.word) << c.what;
        EXPECT_TRUE(radio.IsEdited()) << c.what;
        EXPECT_EQ(radio.GetBeep(), "ON") << c.what;
        radio.SetBeep("OFF");
        EXPECT_EQ(Store(radio), before) << c.what;
    }
}

TEST_F(RadioDataTest, OversizedDocumentIsRefused)
{
    CR455Radio radio;
    radio.ResetData();
    Edit(radio);
    const std::string before = Store(radio);
    // Valid clone data followed by comment lines up to beyond the size limit.
    std::string text = before;
    const std::string comment = "#" + std::string(1000, 'x') + "\r\n";
    while (text.size() <= CRadioData::kMaxDocumentSize)
        text += comment;
    EXPECT_THROW(Load(radio, text), CArchiveException);
    EXPECT_EQ(Store(radio), before);
}

TEST_F(RadioDataTest, TemporaryFileGoesWithTheObject)
{
    std::string path;
    {
        CR455Radio radio;
        radio.ResetData();
        path = radio.GetTempPath();
        ASSERT_FALSE(path.empty());
        EXPECT_TRUE(fs::exists(path));
        EXPECT_EQ(fs::path(path).filename().string().substr(0, 2), "cw");
        EXPECT_EQ(fs::status(path).permissions() & (fs::perms::group_all | fs::perms::others_all),
                  fs::perms::none);
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(RadioDataTest, LoadAndSaveNamedFilesReportTheOutcome)
{
    CRecordingRadio a;
    a.forward = true;
    a.ResetData();
    Edit(a);
    const std::string path = PathIn("clone.qrb");
    a.sent.clear();
    EXPECT_TRUE(a.SaveToFile(path));
    EXPECT_EQ(a.sent.front(), "FILE.SAVE.\"" + path + "\"");
    EXPECT_EQ(SplitCrLf(ReadFile(path)).size(), 33u);

    CRecordingRadio b;
    b.forward = true;
    b.ResetData();
    b.SetBeep("ON");
    b.sent.clear();
    EXPECT_TRUE(b.LoadFromFile(path));
    EXPECT_EQ(b.sent, (Sent{"FILE.LOAD.\"" + path + "\"", "HEAL", "EDIT_FLAG=OFF"}));
    EXPECT_EQ(b.GetChName(3), "TOWER");
    EXPECT_FALSE(b.IsEdited());

    // A file that does not load: false, data and edit state as they were.
    {
        std::ofstream bad(PathIn("bad.qrb"));
        bad << "22710101\r\n";
    }
    b.SetChName(3, "OTHER");
    b.sent.clear();
    EXPECT_FALSE(b.LoadFromFile(PathIn("bad.qrb")));
    EXPECT_EQ(b.sent, Sent{"FILE.LOAD.\"" + PathIn("bad.qrb") + "\""});
    EXPECT_EQ(b.GetLastFileResult(), "MISMATCH_MODEL");
    EXPECT_EQ(b.GetChName(3), "OTHER");
    EXPECT_TRUE(b.IsEdited());

    b.sent.clear();
    EXPECT_FALSE(b.LoadFromFile(PathIn("missing.qrb")));
    EXPECT_TRUE(b.sent.empty());
    EXPECT_FALSE(b.SaveToFile(PathIn("no/such/dir/x.qrb")));
}

TEST_F(RadioDataTest, PathsThatCannotBeQuotedAreRefusedNotCut)
{
    EXPECT_TRUE(CRadioData::IsUsableFilePath("/tmp/a.b/c.qrb"));
    EXPECT_FALSE(CRadioData::IsUsableFilePath(""));
    EXPECT_FALSE(CRadioData::IsUsableFilePath("/tmp/a=b.qrb"));
    EXPECT_FALSE(CRadioData::IsUsableFilePath("/tmp/a\"b.qrb"));

    CRecordingRadio radio;
    radio.forward = true;
    radio.ResetData();
    radio.sent.clear();
    EXPECT_FALSE(radio.SaveToFile(PathIn("a=b.qrb")));
    EXPECT_FALSE(radio.SaveToFile(PathIn("q\"x.qrb")));
    EXPECT_FALSE(radio.LoadFromFile(PathIn("a=b.qrb")));
    EXPECT_TRUE(radio.sent.empty());
    // Nothing was written under the name the command would have been cut to.
    EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(RadioDataTest, UnusableTemporaryFolderRefusesTheTransfer)
{
    fs::path odd = m_dir / "tmp=odd";
    fs::create_directories(odd);
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", odd.c_str(), 1);
    {
        CR455Radio radio;
        if (old)
            setenv("TMPDIR", saved.c_str(), 1);
        else
            unsetenv("TMPDIR");
        radio.ResetData();
        ASSERT_EQ(radio.GetTempPath().find(odd.string()), 0u);
        try {
            Store(radio);
            FAIL() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::badPath);
            EXPECT_STREQ(e.what(), "The file name cannot be used because it contains a double "
                                   "quote (\") or an equals sign (=).");
        }
        // Nothing written to the folder's cut name ".../tmp".
        EXPECT_FALSE(fs::exists(m_dir / "tmp"));
    }
}
