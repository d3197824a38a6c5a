#include "app/window_manager.h"

// On Windows the sizes a program sets and reads are the whole window's, border and title bar
// included, and nothing needs to wait for a window to be mapped.

bool NotifyWhenMapped(wxTopLevelWindow&, bool*)
{
    return false;
}

wxSize GetDecorationSize(const wxTopLevelWindow&)
{
    return wxSize();
}
