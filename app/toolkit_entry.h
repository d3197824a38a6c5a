#pragma once

// Starts the toolkit and runs the application until it ends; returns the exit status. The
// command line reaches the application as the system gives it: POSIX: `argv`; Windows: the
// process's own UTF-16 command line (its `argv` holds the file names in the ANSI code page,
// which cannot spell every name).
int EnterToolkit(int argc, char** argv);

// Called by the application once the toolkit has started: takes back what EnterToolkit put into
// the environment for the toolkit's start only, so that the programs it starts (a browser for a
// link of the help) get the user's environment as it was.
void ToolkitStarted();
