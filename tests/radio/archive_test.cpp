#include "radio/archive.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "tests/common/document_text.h"

using Lines = std::vector<std::string>;

static Lines ReadAll(const std::string& data)
{
    std::istringstream in(data);
    CArchive ar(in);
    Lines lines;
    for (std::string line; ar.ReadLine(line);)
        lines.push_back(line);
    return lines;
}

TEST(Archive, LinesInAndOutAndLoudFailures)
{
    const std::pair<const char*, Lines> cases[] = {{"a\r\nb\nc", {"a", "b", "c"}}, {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\r\r\nb\rc\n", {"a\r", "b\rc"}}, {"", {}}, {"\n", {""}}};
    for (const auto& [data, lines] : cases)
        EXPECT_EQ(ReadAll(data), lines) << data;
    std::ostringstream out;
    CArchive ar(out);
    EXPECT_TRUE(ar.IsStoring() && !ar.IsLoading());
    ar.WriteLine("22700101");
    ar.WriteLine("");
    EXPECT_EQ(out.str(), "22700101\r\n\r\n");
    std::string line;
    EXPECT_THROW(ar.ReadLine(line), CArchiveException); // a storing archive cannot read
    const std::string overlong(CArchive::kMaxLineLength + 1, 'A');
    EXPECT_EQ(ArchiveError([&] { ReadAll(overlong); }), "0: Unexpected file format.");
}
