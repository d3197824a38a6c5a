#pragma once

// Starts the toolkit and runs the application until it ends; returns the exit status. The
// command line reaches the application as the system gives it: POSIX: `argv`; Windows: the
// process's own UTF-16 command line (its `argv` holds the file names in the ANSI code page,
// which cannot spell every name).
int EnterToolkit(int argc, char** argv);
