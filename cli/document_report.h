#pragma once

#include <initializer_list>
#include <string>

#include "cli/cli_command.h"

class CFileLock;
class CR455Radio;

// Document open and save for the tool's commands, each failure reported on io.err in words with
// the file's name: "pwr455-cli: cannot open 'path': No such file or directory", "pwr455-cli:
// 'path': not a clone data file", the reason of a failed save. An open starts from a new data set.
void ReportFileError(CCliIo& io, const std::string& path, const std::string& reason);
// OpenDocument's `answer` (not "OK") and the system's `detail` as words.
void ReportOpenFailure(CCliIo& io, const std::string& path, const std::string& answer,
                       const std::string& detail);
// Always false, so that a check can end with it.
bool ReportCannotSave(CCliIo& io, const std::string& path, const std::string& reason);
// False, after the message, when `output` is one of `inputs` under any name (the same file):
// saving there would replace an input by output of another kind ("card F -o F").
bool IsDistinctOutput(const std::string& output, std::initializer_list<std::string> inputs,
                      CCliIo& io);
// Takes the update lock of `path` for a command that reads, changes and saves it. A second
// writer says that it waits, waits up to kUpdateLockWaitMs, and then fails with a message.
bool LockForUpdate(CFileLock& lock, const std::string& path, CCliIo& io);
bool OpenDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
bool SaveDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
