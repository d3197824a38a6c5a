#include "app/accessibility.h"

#include <wx/window.h>

// Windows' own controls tell screen readers (through MSAA and UI Automation) which static text
// names the field after it and what a status bar shows, so nothing is added here.

void LinkAccessibleLabel(wxWindow*, wxWindow*) {}

void SetAccessibleStatusText(wxWindow*, const wxString&) {}

// A list view's window text is what MSAA and UI Automation give as its name; it is never shown.
void SetAccessibleName(wxWindow* window, const wxString& name)
{
    window->SetLabel(name);
}

// The frequency note beside the field is a static text of its own, which Narrator and NVDA read
// as the dialog's text; the field needs no description besides.
void SetAccessibleDescription(wxWindow*, const wxString&) {}

// The status bar is a native one: screen readers read its text when asked, and the note is
// also the field's tooltip when it does not fit.
void AnnounceAccessibleStatusNote(wxWindow*, const wxString&) {}
