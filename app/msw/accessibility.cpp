#include "app/accessibility.h"

// Windows' own controls tell screen readers (through MSAA and UI Automation) which static text
// names the field after it and what a status bar shows, so nothing is added here.

void LinkAccessibleLabel(wxWindow*, wxWindow*) {}

void SetAccessibleStatusText(wxWindow*, const wxString&) {}
