#include "app/connection_check_dlg.h"

#include <wx/button.h>
#include <wx/font.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "app/xrc_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The report is sized for lines of this many characters and this many lines.
constexpr int kReportColumns = 110;
constexpr int kReportLines = 14;

wxColour LevelColour(CDoctorFinding::Level level)
{
    switch (level) {
    case CDoctorFinding::Level::Ok:
        return wxColour(0x1E, 0x7B, 0x34);
    case CDoctorFinding::Level::Note:
        return wxColour(0x9A, 0x67, 0x00);
    case CDoctorFinding::Level::Problem:
        break;
    }
    return wxColour(0xC0, 0x1C, 0x28);
}

} // namespace

CConnectionCheckDlg::CConnectionCheckDlg(wxWindow* parent, const wxString& port, Checks checks)
    : m_checks(std::move(checks))
{
    LoadXrcDialog(*this, parent, "IDD_CONNECTION_CHECK");
    XrcCtrl<wxStaticText>(*this, "IDC_CHECK_PORT")->SetLabelText(port);
    auto* report = XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT");
    // A fixed-width font keeps the texts in one column after the level words.
    report->SetFont(wxFontInfo(report->GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE));
    const wxSize cell = report->GetTextExtent("0");
    report->SetMinSize(wxSize(cell.x * kReportColumns, cell.y * kReportLines));
    XrcCtrl<wxButton>(*this, "IDC_CHECK_AGAIN")
        ->Bind(wxEVT_BUTTON, &CConnectionCheckDlg::OnCheckAgain, this);
    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    RunChecks();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

wxString CConnectionCheckDlg::GetReport() const
{
    return XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT")->GetValue();
}

void CConnectionCheckDlg::RunChecks()
{
    auto* report = XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT");
    report->Clear();
    const std::vector<CDoctorFinding> findings = m_checks();
    // Full fonts: an attribute with a weight alone falls back to the proportional default font.
    const wxTextAttr plain(report->GetForegroundColour(), wxNullColour, report->GetFont());
    for (const CDoctorFinding& finding : findings) {
        // The level word in its colour, then the text as pwr455-cli doctor prints it.
        const std::string line = CConnectionDoctor::Format({finding});
        const size_t word = CConnectionDoctor::LevelWord(finding.level).size();
        const wxTextAttr coloured(LevelColour(finding.level), wxNullColour,
                                  report->GetFont().Bold());
        report->SetDefaultStyle(coloured);
        report->AppendText(wxString::FromUTF8(line.substr(0, word)));
        report->SetDefaultStyle(plain);
        report->AppendText(wxString::FromUTF8(line.substr(word)));
    }
    report->ShowPosition(0);
}

void CConnectionCheckDlg::OnCheckAgain(wxCommandEvent&)
{
    RunChecks();
}
