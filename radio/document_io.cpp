#include "radio/document_io.h"

#include <sstream>

#include "engine/engine_words.h"
#include "platform/file_io.h"
#include "platform/file_lock.h"
#include "radio/archive.h"
#include "radio/atomic_save.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

using EngineWord::kOk;
const char kCannotOpen[] = "CANNOT_OPEN_FILE";
const char kFormatError[] = "FORMAT_ERROR";

} // namespace

std::string OpenDocument(CR455Radio& radio, const std::string& path, std::string* detail)
{
    std::string text;
    switch (ReadFileBounded(path, CRadioData::kMaxDocumentSize, text, detail)) {
    case EFileError::None:
        break;
    case EFileError::TooLarge:
        return kFormatError;
    case EFileError::NotRegular:
        if (detail)
            *detail = LoadResString(IDS_OPEN_NOT_REGULAR);
        return kCannotOpen;
    default:
        return kCannotOpen;
    }
    try {
        std::istringstream in(text);
        CArchive ar(in);
        radio.Serialize(ar);
    } catch (const CArchiveException& e) {
        if (e.GetCause() != CArchiveException::badClass)
            return e.what();
        const std::string& word = radio.GetLastFileResult();
        // An empty word: refused before the engine saw it (an over-long line).
        return word.empty() || word == kOk ? kFormatError : word;
    }
    return kOk;
}

bool IsResultWord(const std::string& answer)
{
    return !answer.empty() &&
           answer.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_") == std::string::npos;
}

std::string DescribeOpenFailure(const std::string& answer, const std::string& detail)
{
    static const struct {
        const char* word;
        unsigned text;
    } kReasons[] = {
        {kCannotOpen, IDS_OPEN_CANNOT_READ},
        {kFormatError, IDS_OPEN_FORMAT_ERROR},
        {"MISMATCH_MODEL", IDS_OPEN_MISMATCH_MODEL},
        {"MISMATCH_REVISION", IDS_OPEN_MISMATCH_REVISION},
        {"DATA_OVERFLOW", IDS_OPEN_DATA_OVERFLOW},
        {"NOT_ENOUGH_DATA", IDS_OPEN_NOT_ENOUGH_DATA},
    };
    if (answer == kCannotOpen && !detail.empty())
        return detail;
    for (const auto& reason : kReasons)
        if (answer == reason.word)
            return LoadResString(reason.text);
    // A message already (no temporary file), or a word no file load gives.
    return IsResultWord(answer) ? LoadResString(IDS_OPEN_FORMAT_ERROR) : answer;
}

bool SaveDocument(CR455Radio& radio, const std::string& path, std::string& error)
{
    try {
        return SaveAtomically(
            path,
            [&](std::ostream& out) {
                CArchive ar(out);
                radio.Serialize(ar);
            },
            &error);
    } catch (const CArchiveException& e) {
        error = e.what();
        return false;
    }
}

bool SaveDocumentWhenFree(CR455Radio& radio, const std::string& path, std::string& error)
{
    CFileLock lock(path);
    if (lock.Lock(kUpdateLockWaitMs) == CFileLock::EResult::Busy) {
        error = LoadResString(IDS_SAVE_FILE_BUSY);
        return false;
    }
    return SaveDocument(radio, path, error);
}

bool FormatDocument(CR455Radio& radio, std::string& text, std::string& error)
{
    try {
        std::ostringstream out;
        CArchive ar(out);
        radio.Serialize(ar);
        text = out.str();
        return true;
    } catch (const CArchiveException& e) {
        error = e.what();
        return false;
    }
}

EFileError ReadCsvFile(const std::string& path, std::string& text, std::string* detail)
{
    return ReadFileBounded(path, kMaxCsvFileSize, text, detail);
}

std::string MakeDocumentTitle(const std::string& name, bool modified, bool simulating)
{
    std::string title = (modified ? "*" : "") + name + " - " + LoadResString(IDS_APP_TITLE);
    return simulating ? title + LoadResString(IDS_SIMULATE_TITLE) : title;
}
