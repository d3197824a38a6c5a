#pragma once

// The About box: icon, "PW-R455NORD Rev.1.0", the notice and a picture.

#include <wx/dialog.h>

class CAboutDialog : public wxDialog {
public:
    explicit CAboutDialog(wxWindow* parent);
};

// Shows the product in a dialog loaded from XRC, as the About box and the splash window both
// do: the program icon, the transceiver picture and the notice in the controls named `icon`,
// `picture` and `notice`; the dialog is then fitted to them.
void ShowProductArt(wxDialog& dialog, const char* icon, const char* picture, const char* notice);
