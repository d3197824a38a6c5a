#pragma once

// The terminal a command-line program runs in.

// True when the standard error stream is a terminal (where a progress bar can be drawn).
bool IsStandardErrorTerminal();

// True when the standard output stream is a terminal (which control characters would steer).
bool IsStandardOutputTerminal();

// Rings the terminal's bell: on the standard error stream when that is a terminal, else on the
// process's controlling terminal, if any. Never waits.
void RingTerminalBell();
