#pragma once

// What screen readers and other assistive technology learn about windows that the toolkit
// cannot describe on its own: which label names which field, and the status bar's text. Where
// the toolkit's own controls tell them (Windows), these do nothing.

#include <wx/string.h>

class wxWindow;

// Makes `label` the label of `field` for assistive technology (both directions).
void LinkAccessibleLabel(wxWindow* label, wxWindow* field);

// The name assistive technology gives `window`.
void SetAccessibleName(wxWindow* window, const wxString& name);
// What assistive technology says of `window` after its name and role; screen readers speak
// a new description of the field being typed into at once.
void SetAccessibleDescription(wxWindow* window, const wxString& description);

// Presents `statusBar` as a status bar whose text is `text`.
void SetAccessibleStatusText(wxWindow* statusBar, const wxString& text);
// Has screen readers say `text`, a note the status bar shows, without moving the focus.
void AnnounceAccessibleStatusNote(wxWindow* statusBar, const wxString& text);
