#pragma once

// What the toolkit learns from the window manager about a top-level window.

#include <wx/gdicmn.h>

class wxTopLevelWindow;

// Sets `*mapped` once the window manager has put `window` on the screen; `mapped` must live as
// long as the window. False where the toolkit cannot tell.
bool NotifyWhenMapped(wxTopLevelWindow& window, bool* mapped);

// The size that the window manager's border and title bar add to `window`; zero where the
// toolkit does not know it. It is known only once a window has been on the screen, and a new
// process does not know it when it makes its first window. Remembered sizes therefore leave it
// out, so that a window reopens exactly as large as it was closed.
wxSize GetDecorationSize(const wxTopLevelWindow& window);
