#pragma once

// What the tests need of the system they run on, one file per system: the environment, files that
// are no regular ones, and the user's rights.

#include <optional>
#include <string>

// Sets (or, given nothing, removes) a variable of this process's environment. The tests name the
// POSIX variables (TMPDIR, HOME, XDG_CONFIG_HOME, XDG_DATA_HOME); on Windows the one the system
// and the program read in their place is set.
void SetEnv(const std::string& name, const std::optional<std::string>& value);
std::string SystemVariableName(const std::string& name);

// A file that is no regular one and that nobody writes to: a new FIFO at `path`, or where the
// system has none (Windows), its null device; "" when it cannot be made.
std::string MakeFifoOrNullDevice(const std::string& path);

// A terminal that nobody types into, whose reads would wait for ever: a new pseudo-terminal, held
// open until the process ends; on Windows the name of the first serial port. "" when there is
// none.
std::string OpenTerminalDevice();

// The system's reason, in its words, for a file that is not there.
std::string MissingFileReason();

// True for a user whom permission bits do not bind (root).
bool IsSuperUser();
