#include "radio/archive.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

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

TEST(Archive, ReadLineTakesOffOneLineEnd)
{
    const std::pair<const char*, Lines> cases[] = {{"a\r\nb\nc", {"a", "b", "c"}}, {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\r\r\nb\rc\n", {"a\r", "b\rc"}}, {"", {}}, {"\n", {""}}};
    for (const auto& [data, lines] : cases)
        EXPECT_EQ(ReadAll(data), lines) << data;
}

TEST(Archive, StoresCrLfLinesAndFailsLoudly)
{
    std::ostringstream out;
    CArchive ar(out);
    EXPECT_TRUE(ar.IsStoring() && !ar.IsLoading());
    ar.WriteLine("22700101");
    ar.WriteLine("");
    EXPECT_EQ(out.str(), "22700101\r\n\r\n");
    std::string line;
    EXPECT_THROW(ar.ReadLine(line), CArchiveException); // a storing archive cannot read
    const auto expectThrow = [](auto action, CArchiveException::Cause cause, const char* message) {
        try {
            action();
            ADD_FAILURE() << "no exception: " << message;
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), cause);
            EXPECT_STREQ(e.what(), message);
        }
    };
    expectThrow([] { ReadAll(std::string(CArchive::kMaxLineLength + 1, 'A')); }, CArchiveException::badClass,
                "Unexpected file format.");
    out.setstate(std::ios::badbit);
    expectThrow([&] { ar.WriteLine("x"); }, CArchiveException::writeFailed, "The file could not be written.");
}
