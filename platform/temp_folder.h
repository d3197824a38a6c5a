#pragma once

// The program's private folder inside the temporary folder, and the clean-up of a process that
// a signal ends.

#include <string>

// Makes a new folder "pwr455-XXXXXX" in $TMPDIR (or /tmp when TMPDIR is unset or empty) that
// only its owner may use from the first moment. Returns its real path (no symbolic links in
// it), or "" when the temporary folder is missing or takes no new folder. The folder is
// registered (below). Windows: the process holds the folder open until it removes it, and the
// folders of this name that no process holds (left by runs that were killed) are removed first.
std::string MakePrivateTempFolder();

// Removes a folder that MakePrivateTempFolder made, with the files in it, and unregisters it.
void RemovePrivateTempFolder(const std::string& folder);

// Creates `path` as a new, empty file readable and writable by its owner only; false when
// anything of that name exists or it cannot be made. The file is registered (below).
bool CreatePrivateFile(const std::string& path);

// Registered files and empty folders are removed by RemoveTemporaryPathsNow. Register each
// temporary path while it exists and unregister it when it is removed or renamed.
void RegisterTemporaryPath(const std::string& path);
void UnregisterTemporaryPath(const std::string& path);

// True when `folder` (a real path) is a registered private folder: what is saved there does not
// outlive the process and need not be synced to the disk.
bool IsPrivateTempFolder(const std::string& folder);

// Removes every registered path, files before folders. Async-signal-safe: meant for a signal
// handler that ends the process.
void RemoveTemporaryPathsNow();

// Calls `visit` with every registered path. Async-signal-safe when `visit` is.
void VisitTemporaryPaths(void (*visit)(const char* path));
