#pragma once

#include <functional>
#include <iosfwd>
#include <string>

enum class EFileError;

// Saves a file so that a failure part-way leaves the old file intact, through the one atomic
// save of every layer (WriteFileAtomically): the new content is written beside the target and
// then renamed over it. A target that is a symbolic link to a regular file keeps the link; the
// file it points to is replaced. A target that is no regular file (a folder, a device, a FIFO,
// a socket, /dev/stdout) is refused and left alone.
//
// `write` fills the stream and may throw; the exception passes on and nothing is written.
// Returns false when the file could not be saved; `error` then holds a short description.
bool SaveAtomically(const std::string& target, const std::function<void(std::ostream&)>& write,
                    std::string* error = nullptr);

// The description of a failed save of the platform layer, with the system's `detail`.
std::string DescribeSaveError(EFileError error, const std::string& detail);

// The description SaveAtomically gives when `target` cannot be saved at all, checked before any
// work is done; empty when it can be.
std::string CheckSaveTarget(const std::string& target);
