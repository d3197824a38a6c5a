#include "radio/radio_data.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/common/document_text.h"
#include "tests/common/recording_radio.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;
using Sent = std::vector<std::string>;

static void Edit(CR455Radio& radio)
{
    PutChannel(radio, 3, "121.5", "TOWER", true);
    radio.SetBeep("OFF");
    radio.SetCloneComment("Field day");
    radio.Heal();
}

static std::string Edited(CRadioData& data)
{
    return data.IsEdited() ? " edited" : "";
}

class RadioDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_radio.forward = true;
        m_radio.ResetData();
    }
    std::string PathIn(const std::string& name) const { return m_scratch.In(name); }

    CRecordingRadio m_radio;
    CScratchDir m_scratch;
};

TEST_F(RadioDataTest, NewDataSetAndStore)
{
    const std::string save = "FILE.SAVE.\"" + m_radio.GetTempPath() + "\"";
    EXPECT_EQ(m_radio.sent, (Sent{"INITIALIZE", save, save, "EDIT_FLAG=OFF"}));
    Edit(m_radio);
    EXPECT_TRUE(m_radio.IsEdited());
    const std::string text = Store(m_radio);
    EXPECT_FALSE(m_radio.IsEdited());
    EXPECT_EQ(text, ReadFile(m_radio.GetTempPath())); // the engine's file, in CR LF lines
    CRadioData base; // the base object keeps only its own state
    base.ResetData();
    const ModelInfo& info = *base.GetModelInfo();
    EXPECT_EQ(std::make_tuple(info.modelCode, info.commentLength), std::make_tuple(0, 19));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.comment), 20), std::string(19, ' ') + '\0');
    base.SetEdited(true);
    std::string name;
    base.GetModelName(name);
    EXPECT_EQ(name + Edited(base), "Model Machine edited");
}

TEST_F(RadioDataTest, OpenGivesTheSameDataSetWhateverTheLineEnds)
{
    Edit(m_radio);
    const std::string text = Store(m_radio);
    m_radio.SetBeep("ON");
    m_radio.SetChName(3, "OTHER");
    WriteFile(m_radio.GetTempPath(), std::string(5000, '#') + "\r\n" + text + text); // emptied first
    Load(m_radio, Join(SplitCrLf(text), "\n"));
    EXPECT_EQ(m_radio.GetChFrequency(3) + m_radio.GetChName(3) + m_radio.GetChTxInhibit(3) + m_radio.GetBeep()
                  + m_radio.GetCloneComment() + Edited(m_radio), "121.500TOWERONOFFField day");
    EXPECT_EQ(ReadFile(m_radio.GetTempPath()), text);
    EXPECT_EQ(Store(m_radio), text);
}

TEST_F(RadioDataTest, AFailedOpenLeavesTheDataAsTheyWere)
{
    const std::string full = Store(m_radio);
    std::string oversized = full;
    while (oversized.size() <= CRadioData::kMaxDocumentSize)
        oversized += "#" + std::string(1000, 'x') + "\r\n"; // valid clone data, then comments past the limit
    Edit(m_radio);
    const std::string before = Store(m_radio);
    const std::string overflow = full + "01F809" + std::string(18, '0') + "\r\n";
    const std::string noTempFile = "3: " + LoadResString(IDS_TEMP_FILE_ERROR);
    const struct {
        std::string text;
        const char* word; // the engine's answer; "": the document never reaches the engine
        std::string error;
        bool tempFileGone = false; // a folder has taken the temporary file's place
    } cases[] = {{overflow, "DATA_OVERFLOW", "0: Unexpected file format."},
                 {oversized, "", "0: Unexpected file format."},
                 {full, "", noTempFile, true}};
    for (const auto& [text, word, error, tempFileGone] : cases) {
        m_radio.SetBeep("ON"); // edited again, not yet saved
        if (tempFileGone) {
            fs::remove(m_radio.GetTempPath());
            fs::create_directory(m_radio.GetTempPath());
        }
        EXPECT_EQ(ArchiveError([&, &source = text] { Load(m_radio, source); }), error) << word;
        if (tempFileGone)
            fs::remove(m_radio.GetTempPath()); // storing makes it again
        if (*word) {
            EXPECT_EQ(m_radio.GetLastFileResult(), word);
        }
        EXPECT_TRUE(m_radio.IsEdited()) << word;
        EXPECT_EQ(m_radio.GetBeep(), "ON") << word;
        m_radio.SetBeep("OFF");
        EXPECT_EQ(Store(m_radio), before) << word;
    }
}

TEST_F(RadioDataTest, NamedFilesReportTheOutcome)
{
    Edit(m_radio);
    const std::string path = PathIn("clone.qrb"), bad = PathIn("bad.qrb");
    WriteFile(bad, "22710101\r\n");
    EXPECT_TRUE(m_radio.SaveToFile(path));
    m_radio.SetChName(3, "OTHER");
    EXPECT_FALSE(m_radio.LoadFromFile(bad)); // data and edit state as they were
    EXPECT_EQ(m_radio.GetLastFileResult() + m_radio.GetChName(3) + Edited(m_radio), "MISMATCH_MODELOTHER edited");
    EXPECT_TRUE(m_radio.LoadFromFile(path));
    EXPECT_EQ(m_radio.GetChName(3) + Edited(m_radio), "TOWER");
    m_radio.sent.clear();
    EXPECT_FALSE(m_radio.LoadFromFile(PathIn("missing.qrb")) || m_radio.SaveToFile(PathIn("no/such/dir/x.qrb")));
    for (const std::string& unusable : {std::string(), PathIn("a=b.qrb"), PathIn("q\"x.qrb")}) // refused, not cut
        EXPECT_FALSE(m_radio.SaveToFile(unusable) || m_radio.LoadFromFile(unusable)) << unusable;
    EXPECT_TRUE(m_radio.sent.empty());
    EXPECT_EQ(m_scratch.Entries(), (Sent{"bad.qrb", "clone.qrb"}));
}

TEST_F(RadioDataTest, UnusableTemporaryFolderRefusesTheTransfer)
{
    const fs::path odd = m_scratch.Path() / "tmp=odd";
    fs::create_directory(odd);
    const char* saved = std::getenv(SystemVariableName("TMPDIR").c_str());
    const std::optional<std::string> before = saved ? std::optional<std::string>(saved) : std::nullopt;
    SetEnv("TMPDIR", odd.string());
    CR455Radio radio;
    SetEnv("TMPDIR", before);
    radio.ResetData();
    ASSERT_EQ(radio.GetTempPath().find(odd.string()), 0u);
    EXPECT_EQ(ArchiveError([&] { Store(radio); }), "1: The file name cannot be used because it contains a double "
                                                    "quote (\") or an equals sign (=).");
    EXPECT_EQ(m_scratch.Entries(), Sent{"tmp=odd"}); // nothing written under the name it would have been cut to
}
