#pragma once

// What screen readers and other assistive technology learn about windows that the toolkit
// cannot describe on its own: which label names which field, and the status bar's text. Where
// the toolkit's own controls tell them (Windows), these do nothing.

#include <wx/string.h>

class wxWindow;

// Makes `label` the label of `field` for assistive technology (both directions).
void LinkAccessibleLabel(wxWindow* label, wxWindow* field);

// Presents `statusBar` as a status bar whose text is `text`.
void SetAccessibleStatusText(wxWindow* statusBar, const wxString& text);
