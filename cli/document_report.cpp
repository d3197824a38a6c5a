#include "cli/document_report.h"

#include <ostream>

#include "engine/engine_words.h"
#include "platform/file_io.h"
#include "platform/file_lock.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

void ReportFileError(CCliIo& io, const std::string& path, const std::string& reason)
{
    io.err << FormatText(LoadResString(IDS_CLI_FILE_ERROR), {path, reason}) << '\n';
}

bool ReportCannotSave(CCliIo& io, const std::string& path, const std::string& reason)
{
    io.err << FormatText(LoadResString(IDS_CLI_CANNOT_SAVE), {path, reason}) << '\n';
    return false;
}

bool IsDistinctOutput(const std::string& output, std::initializer_list<std::string> inputs,
                      CCliIo& io)
{
    for (const std::string& input : inputs)
        if (IsSameFile(output, input))
            return ReportCannotSave(io, output, LoadResString(IDS_SAVE_SAME_AS_INPUT));
    return true;
}

bool LockForUpdate(CFileLock& lock, const std::string& path, CCliIo& io)
{
    if (lock.TryLock() != CFileLock::EResult::Busy)
        return true;
    io.err << FormatText(LoadResString(IDS_CLI_WAITING_FOR_FILE), {path}) << std::endl;
    return lock.Lock(kUpdateLockWaitMs) != CFileLock::EResult::Busy ||
           ReportCannotSave(io, path, LoadResString(IDS_SAVE_FILE_BUSY));
}

void ReportOpenFailure(CCliIo& io, const std::string& path, const std::string& answer,
                       const std::string& detail)
{
    const std::string reason = DescribeOpenFailure(answer, detail);
    if (answer == "CANNOT_OPEN_FILE")
        io.err << FormatText(LoadResString(IDS_CLI_CANNOT_OPEN), {path, reason}) << '\n';
    else
        ReportFileError(io, path, reason);
}

bool OpenDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io)
{
    radio.ResetData();
    std::string detail;
    const std::string answer = OpenDocument(radio, path, &detail);
    if (answer == EngineWord::kOk)
        return true;
    ReportOpenFailure(io, path, answer, detail);
    return false;
}

bool SaveDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io)
{
    std::string error;
    return SaveDocument(radio, path, error) || ReportCannotSave(io, path, error);
}
