// The PDF the kneeboard card's renderer writes, read back with the build machine's poppler tools,
// and its write on a full disk, which a file size limit stands for (POSIX only).
#include "card/card_renderer.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/document_text.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

using ::testing::IsSubstring;

TEST(CardRenderer, WritesOnePageOrLeavesTheTargetAsItWas)
{
    CNewRadio radio;
    PutChannel(radio, 7, "121.500", "TOWER", true);
    const CCardData card = BuildCardData(radio, "field.qrb", "2024-05-06");
    CScratchDir dir;
    const std::string pdf = dir.In("card.pdf");
    std::string error;
    ASSERT_TRUE(WriteCardPdf(card, ECardSize::kA4, pdf, &error)) << error;
    const std::string info = RunProcess({"/usr/bin/pdfinfo", pdf}).out;
    for (const char* line : {"Title:           field.qrb\n", "Creator:         PW-R455NORD\n",
                             "Pages:           1\n", "Page size:       595.28 x 841.89 pts (A4)\n"})
        EXPECT_PRED_FORMAT2(IsSubstring, line, info);
    const std::string text = RunProcess({"/usr/bin/pdftotext", "-layout", pdf, "-"}).out;
    for (const char* part : {"field.qrb", "2024-05-06", "VX-R455NORD memory channels", "07",
                             "121.500", "TOWER", "Inhibit", "Channel Spacing", "25kHz", "NORMAL",
                             "CH", "Frequency", "Name", "Tx Inhibit", "Memory Lockout", "Prio"})
        EXPECT_PRED_FORMAT2(IsSubstring, part, text);

    const std::string before = ReadFile(pdf);
    CFileSizeLimit fullDisk(before.size() / 2);
    ASSERT_TRUE(fullDisk.IsActive());
    EXPECT_FALSE(WriteCardPdf(card, ECardSize::kA5, pdf, &error));
    fullDisk.Lift();
    EXPECT_EQ(error, "cannot write the new file");
    EXPECT_EQ(ReadFile(pdf), before);
}

// Nothing runs off the card or over another text, however long the file name and the texts
// are, on every paper: each word's box, as poppler reads them back, lies on the page and apart.
TEST(CardRenderer, LongTextsStayOnTheCardAndApart)
{
    CNewRadio radio;
    PutChannel(radio, 2, "121.500", "WWWWWWW");
    radio.SetCloneComment("WWWWWWWWWWWWWWWW");
    radio.SetOpeningText("WWWWWW");
    const CCardData card = BuildCardData(radio, std::string(90, 'W') + ".qrb", "2024-05-06");
    CScratchDir dir;
    for (ECardSize size : {ECardSize::kA5, ECardSize::kA4, ECardSize::kLetter}) {
        double width = 0, height = 0;
        GetCardPageSize(size, &width, &height);
        std::string error;
        ASSERT_TRUE(WriteCardPdf(card, size, dir.In("card.pdf"), &error)) << error;
        const std::string boxes =
            RunProcess({"/usr/bin/pdftotext", "-bbox", dir.In("card.pdf"), "-"}).out;
        const std::regex word(R"re(xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)<)re");
        std::vector<std::array<double, 4>> words;
        for (std::sregex_iterator it(boxes.begin(), boxes.end(), word), end; it != end; ++it) {
            const std::array<double, 4> b = {std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])};
            EXPECT_TRUE(b[0] >= 0 && b[1] >= 0 && b[2] <= width && b[3] <= height) << (*it)[5];
            for (const auto& o : words) // boxes of one line may touch, and lines overlap a little
                EXPECT_FALSE(b[0] < o[2] - 0.5 && o[0] < b[2] - 0.5 && b[1] < o[3] - 2 && o[1] < b[3] - 2) << (*it)[5];
            words.push_back(b);
        }
        EXPECT_GT(words.size(), 40u);
    }
}
