#include "app/connection_check_dlg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/font.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "app/find_cable_dlg.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

namespace {

// The report is sized for lines of this many characters and this many lines.
constexpr int kReportColumns = 110;
constexpr int kReportLines = 14;
// Characters kept free at the right, so that the report's own wrapping never starts.
constexpr int kReportSlack = 3;

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

CConnectionCheckDlg::CConnectionCheckDlg(wxWindow* parent, int number, std::string device,
                                         Checks checks, CPortList& ports, CCloneClock& clock,
                                         Binder bind)
    : m_checks(std::move(checks)), m_ports(ports), m_clock(clock), m_bind(std::move(bind)),
      m_number(number), m_device(std::move(device))
{
    LoadXrcDialog(*this, parent, "IDD_CONNECTION_CHECK");
    auto* report = XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT");
    // A fixed-width font keeps the texts in one column after the level words.
    report->SetFont(wxFontInfo(report->GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE));
    const wxSize cell = report->GetTextExtent("0");
    report->SetMinSize(wxSize(cell.x * kReportColumns, cell.y * kReportLines));
    report->Bind(wxEVT_SIZE, &CConnectionCheckDlg::OnReportSize, this);
    XrcCtrl<wxButton>(*this, "IDC_CHECK_AGAIN")
        ->Bind(wxEVT_BUTTON, &CConnectionCheckDlg::OnCheckAgain, this);
    XrcCtrl<wxButton>(*this, "IDC_CHECK_FIND")
        ->Bind(wxEVT_BUTTON, &CConnectionCheckDlg::OnFindCable, this);
    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    // Laid out first: the findings are wrapped to the report's width.
    GetSizer()->SetSizeHints(this);
    RunChecks();
    CentreOnParent();
}

wxString CConnectionCheckDlg::GetReport() const
{
    return XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT")->GetValue();
}

void CConnectionCheckDlg::RunChecks()
{
    const std::string port = m_number != 0
                                 ? FormatText(LoadResString(IDS_CONNECTION_PORT),
                                              {std::to_string(m_number), m_device})
                                 : FormatText(LoadResString(IDS_CONNECTION_DEVICE), {m_device});
    XrcCtrl<wxStaticText>(*this, "IDC_CHECK_PORT")->SetLabelText(wxString::FromUTF8(port));
    m_findings = m_checks(m_device);
    ShowFindings();
}

void CConnectionCheckDlg::OnFindCable(wxCommandEvent&)
{
    CFindCableDlg dialog(this, m_ports, m_clock, m_number);
    const int answer = dialog.ShowModal();
    if (answer != XRCID("IDC_FIND_BIND") && answer != XRCID("IDC_FIND_CHECK"))
        return;
    m_device = dialog.GetPort();
    m_number = answer == XRCID("IDC_FIND_BIND") ? dialog.GetNumber() : 0;
    if (m_number != 0)
        m_bind(m_number, m_device);
    RunChecks();
}

void CConnectionCheckDlg::ShowFindings()
{
    auto* report = XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT");
    m_columns = ReportColumns();
    report->Clear();
    // Full fonts: an attribute with a weight alone falls back to the proportional default font.
    const wxTextAttr plain(report->GetForegroundColour(), wxNullColour, report->GetFont());
    for (const CDoctorFinding& finding : m_findings) {
        // The level word in its colour, then the text as pwr455-cli doctor prints it, its long
        // lines going on under the text rather than under the level word.
        const size_t word = CConnectionDoctor::LevelWord(finding.level).size();
        const std::string printed = CConnectionDoctor::Format({finding});
        const size_t indent = printed.find_first_not_of(' ', word);
        std::string line;
        for (size_t start = 0; start < printed.size();) {
            const size_t end = printed.find('\n', start);
            line += WrapReportLine(printed.substr(start, end - start), indent, m_columns) + '\n';
            start = end + 1;
        }
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

void CConnectionCheckDlg::OnReportSize(wxSizeEvent& event)
{
    event.Skip();
    // Once the report has its new size.
    CallAfter([this] {
        if (ReportColumns() != m_columns)
            ShowFindings();
    });
}

size_t CConnectionCheckDlg::ReportColumns() const
{
    const auto* report = XrcCtrl<wxTextCtrl>(*this, "IDC_CHECK_REPORT");
    const int cell = std::max(report->GetTextExtent("0").x, 1);
    return static_cast<size_t>(
        std::max(report->GetClientSize().x / cell - kReportSlack, kReportColumns / 2));
}

std::string WrapReportLine(const std::string& line, size_t indent, size_t columns)
{
    std::string wrapped;
    std::string rest = line;
    while (rest.size() > columns && columns > indent + 1) {
        size_t cut = rest.rfind(' ', columns);
        if (cut == std::string::npos || cut < rest.find_first_not_of(' ')) {
            // One word fills the line: it is cut, between two characters.
            cut = columns;
            while (cut > indent + 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80)
                --cut;
        }
        wrapped += rest.substr(0, cut);
        const size_t next = rest.find_first_not_of(' ', cut);
        if (next == std::string::npos)
            return wrapped;
        wrapped += '\n';
        rest = std::string(indent, ' ') + rest.substr(next);
    }
    return wrapped + rest;
}
