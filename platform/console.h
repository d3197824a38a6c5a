#pragma once

// The terminal a command-line program runs in, and its arguments and standard streams.

#include <cstddef>
#include <string>
#include <vector>

// The arguments after the program's name, in UTF-8 (Windows gives them in UTF-16, whatever
// `argv` holds).
std::vector<std::string> GetProgramArguments(int argc, char** argv);

// Makes the standard output and error streams carry UTF-8 text with the system's line ends:
// on Windows text for a console window reaches it as UTF-16, so that every character shows,
// and text for a pipe or a file is UTF-8 with CR LF line ends. Call before the first output.
void SetUpStandardStreams();

// `text`, whose lines end in CR LF already (CSV), as the standard streams are to be given it: on
// Windows, where they turn each LF into CR LF themselves, every CR LF becomes LF, so that a file
// or pipe receives CR LF and not CR CR LF.
std::string ForStandardStream(const std::string& text);

// Writes `text` to the standard output at once, past the streams' buffers, as the streams would
// (line ends, console). Async-signal-safe: for a process that a signal ends.
void WriteStandardOutputNow(const char* text, size_t length);

// True when the standard error stream is a terminal (where a progress bar can be drawn).
bool IsStandardErrorTerminal();

// True when the standard output stream is a terminal (which control characters would steer).
bool IsStandardOutputTerminal();

// Rings the terminal's bell: on the standard error stream when that is a terminal, else on the
// process's controlling terminal, if any (Windows: the system's default beep). Never waits.
void RingTerminalBell();
