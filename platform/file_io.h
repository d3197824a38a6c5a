#pragma once

// Whole files, read and written the one way every layer does it: the engine's FILE.LOAD and
// FILE.SAVE, document open and save, the channel CSV, the command-line tool.

#include <cstddef>
#include <cstdio>
#include <string>

enum class EFileError {
    None,
    NotAFileName,  // empty, or ends in a slash
    NotRegular,    // an existing target that is no regular file: a folder, a device, a FIFO, a
                   // socket, or a link through /proc such as /dev/stdout; on Windows also a
                   // device's name in any folder (NUL, COM1, CON, NUL.txt)
    ReadOnly,      // an existing file this process may not write (or, on Windows, marked
                   // read-only)
    CannotCreate,  // no new file can be made in the target's folder (missing, not writable)
    CannotWrite,   // the new file could not be written to the end (a full disk)
    CannotReplace, // the new file could not take the target's place
    CannotOpen,    // reading: not permitted
    Missing,       // reading: there is no such file
    TooLarge,      // reading: longer than the limit
    Taken,         // a new file: the name is already taken, by anything
};

// Writes `content` so that a failure at any point leaves an existing file as it was: the text
// goes into a file created exclusively beside the target and written, given the target's mode,
// owner and group (as far as this process may set them) and synced through its descriptor; it
// then takes the target's place by rename, and the folder is synced. (Files in the program's
// private temporary folder are not synced: they do not outlive the process.) A symbolic link to a
// regular file is written through: the file it points to is replaced, the link stays. Nothing
// is left behind on failure; `detail` then receives the system's reason where there is one.
// On Windows the new file is flushed and then takes the target's place by ReplaceFileW, which
// keeps the old file's attributes and access rights, or else by MoveFileExW.
EFileError WriteFileAtomically(const std::string& path, const std::string& content,
                               std::string* detail = nullptr);

// Writes `content` as WriteFileAtomically does, but only as a new file: the file written
// beside the target takes the target's name only while nothing has it. A name taken by a file,
// a folder or a symbolic link (even one that leads nowhere) is left alone: Taken.
EFileError WriteNewFile(const std::string& path, const std::string& content,
                        std::string* detail = nullptr);

// Makes `folder` and the folders missing above it, each owned as the folder it is made in is
// (a process that root runs for a user, as sudo -E does, makes the user's folders the user's).
// True when `folder` is a folder afterwards.
bool MakeFolders(const std::string& folder);

// True when `folder` belongs to the user this process runs as.
bool IsOwnFolder(const std::string& folder);

// The checks WriteFileAtomically makes before it writes anything: None when `path` can be
// saved (the target is a regular file or missing, and its folder takes new files). On Windows
// also CannotReplace, with the system's reason in `detail`, while another program holds the
// target open without leave to replace it.
EFileError CheckWritable(const std::string& path, std::string* detail = nullptr);

// Reads a whole file of at most `limit` bytes. A folder, a terminal, a serial port or another
// device is NotRegular, refused before anything is read and without waiting on it. A FIFO (a pipe
// given on purpose, such as /dev/stdin of a pipeline) is read; one without a writer reads as
// empty instead of blocking the open. On Windows only a file on a disk is read. `detail` receives
// the system's reason for Missing and CannotOpen.
EFileError ReadFileBounded(const std::string& path, size_t limit, std::string& content,
                           std::string* detail = nullptr);

// Reads a settings file: only a regular file (or a link to one) is read; anything else is
// NotRegular and is never opened, and a file longer than `limit` is TooLarge without being read.
// `detail` receives the system's reason for CannotOpen.
EFileError ReadRegularFile(const std::string& path, size_t limit, std::string& content,
                           std::string* detail = nullptr);

// True when both paths lead to the same existing file.
bool IsSameFile(const std::string& a, const std::string& b);

// std::fopen of a UTF-8 path, on every system.
std::FILE* OpenFile(const std::string& path, const char* mode);
