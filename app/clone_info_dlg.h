#pragma once

// The Information dialog: the transceiver's model text and the 16 characters of its comment.
// Modal, with nothing to do but show the two texts.

#include <wx/dialog.h>

class CCloneInfoDlg : public wxDialog {
public:
    explicit CCloneInfoDlg(wxWindow* parent);

    // Set before ShowModal; TransferDataToWindow puts them into the window.
    wxString m_comment;
    wxString m_model;

    bool TransferDataToWindow() override;
};
