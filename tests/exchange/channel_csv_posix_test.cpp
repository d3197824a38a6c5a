// The channel CSV through LibreOffice Calc, a program of the build machine (POSIX only).
#include "exchange/channel_csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>

#include "tests/common/document_text.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

// Calc opening an export with its default settings and saving it as CSV again must not change
// a single channel: names that look like numbers or formulas included.
TEST(ChannelCsvTest, ARoundTripThroughLibreOfficeCalcChangesNothing)
{
    ASSERT_EQ(std::system("command -v soffice >/dev/null"), 0)
        << "LibreOffice (soffice) is not installed; scripts/install-deps installs it.";
    CNewRadio radio;
    const char* const names[] = {"=1+2", "007", "+", "-", "@", "1E5", " 007", "-5", "+1", "A,B",
                                 " LEAD", "'A", "(5)", "5%", "$5", "TRUE", "12/10", "1-2", "=A"};
    for (unsigned ch = 1; ch <= std::size(names); ++ch)
        PutChannel(radio, ch, std::to_string(117 + ch) + ".5", names[ch - 1], ch % 2);
    CScratchDir dir;
    ASSERT_FALSE(dir.Path().empty());
    WriteFile(dir.In("channels.csv"), ExportChannelsCsv(radio));
    // A profile and temporary files of its own, and an English locale: in some languages with a
    // decimal comma, German or Danish, Calc reads 121.500 as 121500. soffice may exit with 0
    // when it fails: the result file tells.
    const std::string command =
        "cd '" + dir.Path().string() + "' && export HOME=\"$PWD\" TMPDIR=\"$PWD\" LC_ALL=C.UTF-8" +
        " && s=\"soffice --headless -env:UserInstallation=file://$PWD/profile\"" +
        " && $s --convert-to ods --outdir ods channels.csv >log 2>&1" +
        " && $s --convert-to csv --outdir out ods/channels.ods >>log 2>&1";
    const int status = std::system(command.c_str());
    const std::string calcCsv = ReadFile(dir.In("out/channels.csv"));
    ASSERT_FALSE(calcCsv.empty()) << "exit status " << status << ": " << ReadFile(dir.In("log"));
    CNewRadio back;
    std::string error;
    EXPECT_TRUE(ImportChannelsCsv(back, calcCsv, &error)) << error;
    EXPECT_EQ(Store(back), Store(radio)) << calcCsv;
}
