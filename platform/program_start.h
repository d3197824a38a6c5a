#pragma once

// Windows only: the console program pwr455.com hands everything but --help and --version on to
// the desktop program beside it, which has no console of its own to write to.

#include <string>

// This program's own file, in UTF-8.
std::string GetOwnProgramPath();

// Starts `program` (UTF-8) with the arguments this process was given, exactly as they were typed
// (quotes included), and returns without waiting for it. False with the system's reason in
// `error` when it cannot be started.
bool StartWithOwnArguments(const std::string& program, std::string* error);
