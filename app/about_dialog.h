#pragma once

// The About box: icon, "PW-R455NORD Rev.1.0", the notice and a picture.

#include <wx/dialog.h>

class CAboutDialog : public wxDialog {
public:
    explicit CAboutDialog(wxWindow* parent);
};
