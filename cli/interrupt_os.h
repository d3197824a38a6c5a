#pragma once

// Between CInterrupt's rules (interrupt.cpp) and the system's side that delivers the requests to
// end (signals on POSIX, console control events on Windows). Both calls are async-signal-safe.

#include <cstddef>

enum class EEndingAction {
    Ignore, // the command is past the point where it may stop
    Cancel, // the run in progress is cancelled; the command goes on to its end
    End     // the process ends now
};

// What a request to end does now; a cancel is recorded as requested.
EEndingAction TakeEndingRequest();

// The exit SetExit chose: its status (-1 when none) and the text to print before it.
int GetChosenExit(const char** text, size_t* length);
