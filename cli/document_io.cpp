#include "cli/document_io.h"

#include <fstream>
#include <ostream>
#include <sstream>

#include "radio/archive.h"
#include "radio/atomic_save.h"
#include "radio/r455_radio.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

const char kCannotOpen[] = "CANNOT_OPEN_FILE";
const char kFormatError[] = "FORMAT_ERROR";

} // namespace

void NewDocument(CR455Radio& radio)
{
    radio.ResetData();
}

bool OpenDocument(CR455Radio& radio, const std::string& path, std::string& word)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        word = kCannotOpen;
        return false;
    }
    try {
        CArchive ar(in);
        radio.Serialize(ar);
    } catch (const CArchiveException& e) {
        if (e.GetCause() != CArchiveException::badClass)
            word = e.what();
        else if (!radio.GetLastFileResult().empty() && radio.GetLastFileResult() != "OK")
            word = radio.GetLastFileResult();
        else
            word = kFormatError; // refused before the engine saw it (an over-long line)
        return false;
    }
    return true;
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

bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    content = buffer.str();
    return true;
}

void ReportFileError(CCliIo& io, const std::string& path, const std::string& reason)
{
    io.err << FormatText(LoadResString(IDS_CLI_FILE_ERROR), {path, reason}) << '\n';
}

bool OpenDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io)
{
    NewDocument(radio);
    std::string word;
    if (OpenDocument(radio, path, word))
        return true;
    ReportFileError(io, path, word);
    return false;
}

bool SaveDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io)
{
    std::string error;
    if (SaveDocument(radio, path, error))
        return true;
    io.err << FormatText(LoadResString(IDS_CLI_CANNOT_SAVE), {path, error}) << '\n';
    return false;
}
