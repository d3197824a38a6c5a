#include "radio/archive.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> ReadAll(const std::string& data)
{
    std::istringstream in(data);
    CArchive ar(in);
    std::vector<std::string> lines;
    std::string line;
    while (ar.ReadLine(line))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(ArchiveTest, ReadLineRemovesLineEnds)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReadAll("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(ReadAll("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    // Only one carriage return directly before the line feed goes.
    EXPECT_EQ(ReadAll("a\r\r\nb\rc\n"), (Lines{"a\r", "b\rc"}));
    EXPECT_EQ(ReadAll(""), Lines{});
    EXPECT_EQ(ReadAll("\n"), Lines{""});
}

TEST(ArchiveTest, OverlongLineIsAFormatError)
{
    std::string data(CArchive::kMaxLineLength + 1, 'A');
    std::istringstream in(data);
    CArchive ar(in);
    std::string line;
    try {
        ar.ReadLine(line);
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badClass);
        EXPECT_STREQ(e.what(), "Unexpected file format.");
    }
}

TEST(ArchiveTest, WriteLineEndsEveryLineWithCrLf)
{
    std::ostringstream out;
    CArchive ar(out);
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_FALSE(ar.IsLoading());
    ar.WriteLine("22700101");
    ar.WriteLine("");
    EXPECT_EQ(out.str(), "22700101\r\n\r\n");
}

TEST(ArchiveTest, FailedWriteThrows)
{
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    CArchive ar(out);
    try {
        ar.WriteLine("x");
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::writeFailed);
        EXPECT_STREQ(e.what(), "The file could not be written.");
    }
}

TEST(ArchiveTest, ReadingAStoringArchiveThrows)
{
    std::ostringstream out;
    CArchive ar(out);
    std::string line;
    EXPECT_THROW(ar.ReadLine(line), CArchiveException);
}
