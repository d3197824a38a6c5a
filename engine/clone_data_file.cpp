#include "engine/clone_data_file.h"

#include <cstdio>
#include <istream>
#include <sstream>

#include "engine/clone_image.h"
#include "engine/engine_words.h"
#include "engine/hex_record.h"
#include "platform/file_io.h"

namespace {

using EngineWord::kOk;
const char kCannotOpenFile[] = "CANNOT_OPEN_FILE";
const char kWriteError[] = "WRITE_ERROR";
const char kFormatError[] = "FORMAT_ERROR";
const char kMismatchModel[] = "MISMATCH_MODEL";
const char kMismatchRevision[] = "MISMATCH_REVISION";
const char kNotEnoughData[] = "NOT_ENOUGH_DATA";

const char kLineEnd[] = "\r\n";

// !!! The saved part of the image as inclusive address ranges, ended by (0xFFFF, 0xFFFF).
// Addresses 0x0000 to 0x000F are never written. !!!
const struct {
    uint32_t first;
    uint32_t last;
} kSavedRanges[] = {{0x0010, 0x01FF}, {0xFFFF, 0xFFFF}};
const uint32_t kRecordSize = 16;

// Every address from 0x0080 on must be loaded; the bitmap holds 8 addresses a byte.
const uint32_t kFirstRequiredBitmapByte = 0x0080 / 8;

// A line longer than this cannot be valid in any position; the rest of it is skipped unread so
// that a huge file without line ends cannot exhaust memory.
const size_t kLongestLineKept = 1024;

std::string ExpectedIdentification()
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%04d", CCloneDataFile::kModelCode,
                  CCloneDataFile::kRevision);
    return text;
}

// Reads one line without its LF and without one CR before it. False at the end of the input
// when nothing was read.
bool ReadLine(std::istream& in, std::string& line)
{
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr || !in.good()) {
        return false;
    }
    bool readAny = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        readAny = true;
        if (c == '\n') {
            break;
        }
        if (line.size() <= kLongestLineKept) {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty() && line.back() == '\r' && line.size() <= kLongestLineKept) {
        line.pop_back();
    }
    return readAny;
}

std::string CommentLineText(const std::string& comment)
{
    std::string text = comment;
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

std::string CCloneDataFile::Format(const CCloneImage& image, const std::string& comment)
{
    std::string text = ExpectedIdentification() + kLineEnd;
    text += "#" + CommentLineText(comment) + kLineEnd;
    CHexRecord record;
    // The record only reads from the image.
    CCloneImage& source = const_cast<CCloneImage&>(image);
    for (const auto& range : kSavedRanges) {
        if (range.first == 0xFFFF && range.last == 0xFFFF) {
            break;
        }
        uint32_t address = range.first;
        while (address <= range.last) {
            uint32_t end = (address / kRecordSize + 1) * kRecordSize - 1;
            if (end > range.last) {
                end = range.last;
            }
            record.SetUp(source, address, end - address + 1);
            record.ReadFromImage();
            text += record.Format() + kLineEnd;
            address = end + 1;
        }
    }
    return text;
}

std::string CCloneDataFile::Save(const std::string& path, const CCloneImage& image,
                                 const std::string& comment)
{
    switch (WriteFileAtomically(path, Format(image, comment))) {
    case EFileError::None:
        return kOk;
    case EFileError::CannotWrite:
    case EFileError::CannotReplace:
        return kWriteError;
    default:
        return kCannotOpenFile;
    }
}

std::string CCloneDataFile::CheckIdentification(const std::string& line)
{
    const std::string expected = ExpectedIdentification();
    if (line.size() != expected.size()) {
        return kFormatError;
    }
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return kFormatError;
        }
        if (line[i] != expected[i]) {
            // The first four digits are the model code, the last four the revision.
            return i < 4 ? kMismatchModel : kMismatchRevision;
        }
    }
    return std::string();
}

std::string CCloneDataFile::Load(const std::string& path, CCloneImage& image)
{
    std::string text;
    switch (ReadFileBounded(path, kMaxFileSize, text)) {
    case EFileError::None:
        break;
    case EFileError::TooLarge:
        return kFormatError;
    default:
        return kCannotOpenFile;
    }
    std::istringstream in(text);
    return Load(in, image);
}

std::string CCloneDataFile::Load(std::istream& in, CCloneImage& image)
{
    CCloneImage backup;
    backup.CopyFrom(image);
    CHexRecord record;
    record.Bind(image);

    std::string line;
    ReadLine(in, line);
    std::string result = CheckIdentification(line);
    while (result.empty() && ReadLine(in, line)) {
        if (line.empty()) {
            result = kFormatError;
        } else if (line[0] == '#') {
            continue;
        } else {
            const std::string parsed = record.Parse(line);
            if (parsed == kOk) {
                record.Commit();
            } else {
                result = parsed;
            }
        }
    }
    if (result.empty() && in.bad()) {
        // The file could not be read to its end.
        result = kCannotOpenFile;
    }
    if (result.empty() && !record.IsLoadedFrom(kFirstRequiredBitmapByte)) {
        result = kNotEnoughData;
    }
    if (result.empty()) {
        return kOk;
    }
    image.CopyFrom(backup);
    return result;
}
