#include "app/chirp_import_dlg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

enum EColumn { kLine, kLocation, kFrequency, kName, kChannel, kNote, kColumnCount };

const struct {
    unsigned titleId;
    int width;
} kColumns[kColumnCount] = {
    {IDS_CHIRP_COLUMN_LINE, 40}, {IDS_CHIRP_COLUMN_LOCATION, 55}, {IDS_AIR_COLUMN_LISTED, 80},
    {IDS_AIR_COLUMN_NAME, 90},   {IDS_AIR_COLUMN_CH, 35},         {IDS_AIR_COLUMN_NOTE, 190},
};

} // namespace

CChirpImportDlg::CChirpImportDlg(wxWindow* parent, const CR455Radio* radio,
                                 const std::string& bytes, unsigned from)
    : m_radio(radio), m_bytes(bytes)
{
    LoadXrcDialog(*this, parent, "IDD_CHIRP_IMPORT");
    m_listCtrl = XrcCtrl<wxListCtrl>(*this, "IDC_CHIRP_LIST");
    m_inOrder = XrcCtrl<wxRadioButton>(*this, "IDC_CHIRP_IN_ORDER");
    m_from = XrcCtrl<wxSpinCtrl>(*this, "IDC_CHIRP_FROM");
    m_summary = XrcCtrl<wxStaticText>(*this, "IDC_CHIRP_SUMMARY");
    m_from->SetValue(static_cast<int>(from));
    CreateColumns();
    const auto changed = [this](wxCommandEvent&) { UpdatePlan(); };
    XrcCtrl<wxRadioButton>(*this, "IDC_CHIRP_BY_LOCATION")->Bind(wxEVT_RADIOBUTTON, changed);
    m_inOrder->Bind(wxEVT_RADIOBUTTON, changed);
    m_from->Bind(wxEVT_SPINCTRL, changed);
    m_from->Bind(wxEVT_TEXT, changed);
    UpdatePlan();
    GetSizer()->SetSizeHints(this);
}

wxString CChirpImportDlg::GetSummaryText() const
{
    return m_summary->GetLabel();
}

void CChirpImportDlg::CreateColumns()
{
    for (const auto& column : kColumns)
        m_listCtrl->AppendColumn(ResString(column.titleId), wxLIST_FORMAT_LEFT,
                                 FromDIP(column.width));
}

void CChirpImportDlg::UpdatePlan()
{
    const unsigned fillFrom = m_inOrder->GetValue() ? static_cast<unsigned>(m_from->GetValue()) : 0;
    std::string error;
    const bool planned = PlanChirpImport(*m_radio, m_bytes, fillFrom, m_plan, &error);
    FillList();
    // The other placement may still take a file whose Locations this one refuses.
    m_summary->SetLabel(FromEngine(planned ? SummarizeChirpImport(m_plan) : error));
    FindWindow(wxID_OK)->Enable(m_plan.Placed() > 0);
    Layout();
}

void CChirpImportDlg::FillList()
{
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    m_listCtrl->Freeze();
    m_listCtrl->DeleteAllItems();
    for (const CChirpRow& row : m_plan.rows) {
        const long item = m_listCtrl->InsertItem(m_listCtrl->GetItemCount(),
                                                 std::to_string(row.line));
        m_listCtrl->SetItem(item, kLocation, FromEngine(row.location));
        m_listCtrl->SetItem(item, kFrequency, FromEngine(row.frequency));
        m_listCtrl->SetItem(item, kName, FromEngine(row.name));
        if (row.channel) {
            m_listCtrl->SetItem(item, kChannel, wxString::Format("%02u", row.channel));
        } else {
            m_listCtrl->SetItem(item, kNote, FromEngine(LoadResString(row.reasonId)));
            m_listCtrl->SetItemTextColour(item, grey);
        }
    }
    // Every column as wide as its title and its widest text.
    for (int c = 0; c < kColumnCount; ++c) {
        m_listCtrl->SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);
        m_listCtrl->SetColumnWidth(c, std::max(m_listCtrl->GetColumnWidth(c),
                                               FromDIP(kColumns[c].width)));
    }
    m_listCtrl->Thaw();
}
