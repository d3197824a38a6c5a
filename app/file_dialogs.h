#pragma once

// The file choosers of File Open and File Save As, for clone data files (".qrb").

#include <wx/string.h>

class wxWindow;

// The file to open, or empty when the user cancelled. The chooser starts in `folder` (else
// where it was last) and carries `title` (else that of File Open).
wxString AskOpenPath(wxWindow* parent, const wxString& folder = wxString(),
                     const wxString& title = wxString());
// The file to save to, or empty when the user cancelled. A name typed without extension
// gets ".qrb".
wxString AskSavePath(wxWindow* parent, const wxString& current);
