#pragma once

#include <string>

#include "cli/cli_command.h"

class CR455Radio;

// Document open and save for the tool, done exactly as the desktop program's document does
// them: ResetData for a new data set, Serialize through an archive for open and save.

// A new data set, as File New makes it.
void NewDocument(CR455Radio& radio);

// Opens `path` as File Open does. On failure returns false, leaves the data unchanged and
// puts into `word` the load result ("CANNOT_OPEN_FILE", "FORMAT_ERROR", ...) or, for a
// failure that has no result word, the message.
bool OpenDocument(CR455Radio& radio, const std::string& path, std::string& word);

// Saves as File Save does, atomically: on failure the old file at `path` is left intact and
// `error` holds the reason.
bool SaveDocument(CR455Radio& radio, const std::string& path, std::string& error);

// Reads a whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);

// The same for the tool's commands, each failure reported on io.err with the file's name:
// "pwr455-cli: 'path': REASON" (ReportFileError), the load result word of an open, the reason
// of a failed save. OpenDocumentOrReport starts from a new data set.
void ReportFileError(CCliIo& io, const std::string& path, const std::string& reason);
bool OpenDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
bool SaveDocumentOrReport(CR455Radio& radio, const std::string& path, CCliIo& io);
