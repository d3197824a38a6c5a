#pragma once

// Document open and save and the reading of a channel CSV file, done the same way by the
// desktop program's document and by the command-line tool.

#include <cstddef>
#include <string>

enum class EFileError;
class CR455Radio;

// Largest channel CSV file read: a list of 20 channels takes a few kilobytes.
constexpr size_t kMaxCsvFileSize = 1u << 20;

// Opens `path` as File Open does: the file (at most CRadioData::kMaxDocumentSize bytes) goes
// through the archive into the radio data object. Returns "OK", or on failure, with the data
// unchanged, the load result word ("CANNOT_OPEN_FILE" for a file that cannot be read or a
// folder, "FORMAT_ERROR" for one too large or of the wrong form, "MISMATCH_MODEL", ...) or, for
// a failure that has no word (no temporary file), its message. `detail` receives the system's
// reason for "CANNOT_OPEN_FILE" ("No such file or directory"), or why a folder or a device
// is never read.
std::string OpenDocument(CR455Radio& radio, const std::string& path,
                         std::string* detail = nullptr);

// True for the words OpenDocument answers, false for a message.
bool IsResultWord(const std::string& answer);

// What a person reads for OpenDocument's `answer` other than "OK": the system's reason for a file
// that cannot be opened, the fault in words for one that is no clone data file of this model.
std::string DescribeOpenFailure(const std::string& answer, const std::string& detail);

// The main window's title: unsaved changes show as Windows and GNOME programs show them, a "*"
// before the name; with a simulated transceiver the title says so, as the clone commands then
// reach no real one.
std::string MakeDocumentTitle(const std::string& name, bool modified, bool simulating);

// Saves as File Save does, atomically: on failure the old file at `path` is left intact and
// `error` holds the reason.
bool SaveDocument(CR455Radio& radio, const std::string& path, std::string& error);

// How long a save waits for another program's read, change and save of the same file to end.
constexpr unsigned kUpdateLockWaitMs = 10000;

// SaveDocument under the file's update lock (platform/file_lock.h), waited for up to
// kUpdateLockWaitMs: the desktop program's Save never lands in the middle of a command's update.
bool SaveDocumentWhenFree(CR455Radio& radio, const std::string& path, std::string& error);

// The text File Save writes; false, with the reason in `error`, when it cannot be made.
bool FormatDocument(CR455Radio& radio, std::string& text, std::string& error);

// Reads a channel CSV file: EFileError::None, or why it could not (see ReadFileBounded);
// `detail` receives the system's reason when it cannot be opened.
EFileError ReadCsvFile(const std::string& path, std::string& text, std::string* detail = nullptr);
