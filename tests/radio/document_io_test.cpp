#include "radio/document_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "radio/atomic_save.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/common/document_text.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

static bool Save(const std::string& target, const std::string& text, std::string* error = nullptr)
{
    return SaveAtomically(target, [&](std::ostream& out) { out << text; }, error);
}

TEST(AtomicSaveTest, ReplacesTheFileOrLeavesItAsItWas)
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
    // The platform's refusals in words (which target gets which: platform_test.cpp).
    EXPECT_EQ(CheckSaveTarget(""), "not a file name");
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
    WriteFile(dir.In("revision.qrb"), "22700102" + good.substr(8));
    // The last record (0x01F0) left out.
    WriteFile(dir.In("short.qrb"), good.substr(0, good.rfind("\r\n01F0") + 2));
    const std::string special = MakeFifoOrNullDevice(dir.In("fifo"));
    ASSERT_FALSE(special.empty());
    const char kNotClone[] = "not a clone data file";
    const std::string notRegular = LoadResString(IDS_OPEN_NOT_REGULAR);
    const bool fifo = std::filesystem::is_fifo(special);
    const struct {
        std::string path, answer, words;
    } cases[] = {
        {dir.In("good.qrb"), "OK", ""},
        {dir.In("model.qrb"), "MISMATCH_MODEL", "a clone data file of another transceiver model"},
        {dir.In("revision.qrb"), "MISMATCH_REVISION", "a clone data file of another revision"},
        {dir.In("short.qrb"), "NOT_ENOUGH_DATA",
         "incomplete: part of the transceiver's memory is missing"},
        {dir.In("big.qrb"), "FORMAT_ERROR", kNotClone},
        {OpenTerminalDevice(), "CANNOT_OPEN_FILE", notRegular}, // a device, never read
        {special, fifo ? "FORMAT_ERROR" : "CANNOT_OPEN_FILE", fifo ? kNotClone : notRegular},
        {dir.Path().string(), "CANNOT_OPEN_FILE", notRegular},
        {dir.In("missing.qrb"), "CANNOT_OPEN_FILE", MissingFileReason()},
    };
    for (const auto& c : cases) {
        CNewRadio opened;
        opened.SetBeep("OFF");
        std::string detail;
        const std::string answer = OpenDocument(opened, c.path, &detail);
        EXPECT_EQ(answer, c.answer) << c.path;
        EXPECT_EQ(opened.GetBeep(), c.answer == "OK" ? "ON" : "OFF") << c.path;
        EXPECT_EQ(answer == "OK" ? "" : DescribeOpenFailure(answer, detail), c.words) << c.path;
    }
    // The system's reason explains only a file that could not be opened.
    EXPECT_EQ(DescribeOpenFailure("MISMATCH_MODEL", MissingFileReason()),
              "a clone data file of another transceiver model");
}
