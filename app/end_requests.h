#pragma once

// The system's requests that the desktop program end: logging out, a plain kill, Ctrl-C in the
// terminal that started it. They reach the program on its main loop, as a normal exit would
// begin, so that the temporary files go. (On Windows the toolkit's own end-of-session events
// do this.)

class wxApp;

// Has `handler` called on `app`'s main loop for each such request.
void CatchEndRequests(wxApp& app, void (*handler)(int));
