#pragma once

// Check Connection: what the connection checks found (the serial devices, the port and its
// permissions, a program holding it, packages that grab USB serial cables, the information
// run), one finding a line with its fix below it, as pwr455-cli doctor prints them. Find Cable
// finds the cable's port, binds it to a COM port if asked, and checks it.

#include <functional>
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "clone/cable_finder.h"
#include "clone/connection_doctor.h"

class CConnectionCheckDlg : public wxDialog {
public:
    // Runs every check on the device and returns the findings; called once before the dialog
    // is shown and again for each press of Check Again and for a port Find Cable found.
    using Checks = std::function<std::vector<CDoctorFinding>(const std::string& device)>;
    // Binds COM `number` to the device and chooses it.
    using Binder = std::function<void(int number, const std::string& device)>;

    // COM `number` stands for `device`, the one checked at first.
    CConnectionCheckDlg(wxWindow* parent, int number, std::string device, Checks checks,
                        CPortList& ports, CCloneClock& clock, Binder bind);

    // The findings as the window shows them.
    wxString GetReport() const;

private:
    void RunChecks();
    void OnFindCable(wxCommandEvent& event);
    // Shows the findings, wrapped to the report's width.
    void ShowFindings();
    void OnCheckAgain(wxCommandEvent& event);
    void OnReportSize(wxSizeEvent& event);
    // How many characters a line of the report can hold.
    size_t ReportColumns() const;

    Checks m_checks;
    CPortList& m_ports;
    CCloneClock& m_clock;
    Binder m_bind;
    int m_number; // 0 when the device checked is bound to none
    std::string m_device;
    std::vector<CDoctorFinding> m_findings;
    size_t m_columns = 0; // the width the findings were wrapped to
};

// `line` broken at blanks into lines of at most `columns` characters, each one after the first
// starting with `indent` blanks (a word too long for a line is cut).
std::string WrapReportLine(const std::string& line, size_t indent, size_t columns);
