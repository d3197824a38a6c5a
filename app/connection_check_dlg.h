#pragma once

// Check Connection: what the connection checks found (the serial devices, the port and its
// permissions, a program holding it, packages that grab USB serial cables, the information
// run), one finding a line with its fix below it, as pwr455-cli doctor prints them.

#include <functional>
#include <vector>

#include <wx/dialog.h>

#include "clone/connection_doctor.h"

class CConnectionCheckDlg : public wxDialog {
public:
    // Runs every check and returns the findings; called once before the dialog is shown and
    // again for each press of Check Again.
    using Checks = std::function<std::vector<CDoctorFinding>()>;

    // `port` names the port checked, for the line above the findings.
    CConnectionCheckDlg(wxWindow* parent, const wxString& port, Checks checks);

    // The findings as the window shows them.
    wxString GetReport() const;

private:
    void RunChecks();
    void OnCheckAgain(wxCommandEvent& event);

    Checks m_checks;
};
