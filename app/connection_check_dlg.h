#pragma once

// Check Connection: what the connection checks found (the serial devices, the port and its
// permissions, a program holding it, packages that grab USB serial cables, the information
// run), one finding a line with its fix below it, as pwr455-cli doctor prints them.

#include <functional>
#include <string>
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
    // Shows the findings, wrapped to the report's width.
    void ShowFindings();
    void OnCheckAgain(wxCommandEvent& event);
    void OnReportSize(wxSizeEvent& event);
    // How many characters a line of the report can hold.
    size_t ReportColumns() const;

    Checks m_checks;
    std::vector<CDoctorFinding> m_findings;
    size_t m_columns = 0; // the width the findings were wrapped to
};

// `line` broken at blanks into lines of at most `columns` characters, each one after the first
// starting with `indent` blanks (a word too long for a line is cut).
std::string WrapReportLine(const std::string& line, size_t indent, size_t columns);
