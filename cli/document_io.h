#pragma once

#include <string>

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
