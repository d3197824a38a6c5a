#pragma once

#include <functional>
#include <iosfwd>
#include <string>

// Writes a file so that a failure part-way leaves the old file intact: the new content goes to
// a file created exclusively beside the target, which then is renamed over the target. A
// target that is a symbolic link keeps the link; the file it points to is replaced.
//
// `write` fills the stream and may throw; any exception removes the new file and passes on.
// Returns false (and removes the new file) when the file could not be created, written or
// renamed; `error` then holds a short description.
bool SaveAtomically(const std::string& target, const std::function<void(std::ostream&)>& write,
                    std::string* error = nullptr);
