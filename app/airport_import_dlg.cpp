#include "app/airport_import_dlg.h"

#include <algorithm>
#include <map>

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "profile/profile.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"

namespace {

const struct {
    unsigned titleId;
    int width;
} kColumns[CAirportImportDlg::kColumnCount] = {
    {IDS_AIR_COLUMN_IDENT, 90},  {IDS_AIR_COLUMN_TYPE, 50},      {IDS_AIR_COLUMN_DESCRIPTION, 170},
    {IDS_AIR_COLUMN_LISTED, 75}, {IDS_AIR_COLUMN_STORED_AS, 70}, {IDS_AIR_COLUMN_NAME, 80},
    {IDS_AIR_COLUMN_CH, 35},     {IDS_AIR_COLUMN_NOTE, 210},
};

// String resource `id` with %1, %2, ... replaced.
wxString ResFormat(unsigned id, std::initializer_list<std::string> args)
{
    return FromEngine(FormatText(ToEngine(ResString(id)), args));
}

// A pause in typing this long counts as the end of it: finding the rows again takes long on a
// busy machine, and every keystroke must be shown at once.
constexpr int kTypingPauseMs = 300;

} // namespace

CAirportImportDlg::CAirportImportDlg(wxWindow* parent, const CR455Radio* radio, unsigned from)
    : m_radio(radio), m_grid(GetChannelGrid(*radio))
{
    LoadXrcDialog(*this, parent, "IDD_AIRPORT_IMPORT");
    m_idents = XrcCtrl<wxTextCtrl>(*this, "IDC_AIRPORT_IDENTS");
    m_status = XrcCtrl<wxStaticText>(*this, "IDC_AIRPORT_STATUS");
    m_listCtrl = XrcCtrl<wxListCtrl>(*this, "IDC_AIRPORT_LIST");
    m_blank = XrcCtrl<wxRadioButton>(*this, "IDC_AIRPORT_BLANK");
    m_overwrite = XrcCtrl<wxRadioButton>(*this, "IDC_AIRPORT_OVERWRITE");
    m_from = XrcCtrl<wxSpinCtrl>(*this, "IDC_AIRPORT_FROM");
    m_summary = XrcCtrl<wxStaticText>(*this, "IDC_AIRPORT_SUMMARY");
    m_listFile = XrcCtrl<wxStaticText>(*this, "IDC_AIRPORT_LIST_FILE");
    m_from->SetValue(static_cast<int>(from));
    CreateColumns();

    m_idents->Bind(wxEVT_TEXT, &CAirportImportDlg::OnIdentsChanged, this);
    m_refillTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Refill(); }, m_refillTimer.GetId());
    Bind(wxEVT_BUTTON, &CAirportImportDlg::OnOk, this, wxID_OK);
    m_listCtrl->Bind(wxEVT_LIST_ITEM_CHECKED, &CAirportImportDlg::OnItemCheckChanged, this);
    m_listCtrl->Bind(wxEVT_LIST_ITEM_UNCHECKED, &CAirportImportDlg::OnItemCheckChanged, this);
    m_listCtrl->Bind(wxEVT_KEY_DOWN, &CAirportImportDlg::OnListKey, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter(&CAirportImportDlg::WrapSummary);
    });
    m_blank->Bind(wxEVT_RADIOBUTTON, &CAirportImportDlg::OnPlacementChanged, this);
    m_overwrite->Bind(wxEVT_RADIOBUTTON, &CAirportImportDlg::OnPlacementChanged, this);
    m_from->Bind(wxEVT_SPINCTRL, &CAirportImportDlg::OnPlacementChanged, this);
    m_from->Bind(wxEVT_TEXT, &CAirportImportDlg::OnPlacementChanged, this);
    XrcCtrl<wxButton>(*this, "IDC_AIRPORT_CHOOSE")
        ->Bind(wxEVT_BUTTON, &CAirportImportDlg::OnChooseList, this);
    XrcCtrl<wxButton>(*this, "IDC_AIRPORT_SHIPPED")
        ->Bind(wxEVT_BUTTON, &CAirportImportDlg::OnShippedList, this);

    LoadStartList();
    Refill();
    GetSizer()->SetSizeHints(this);
    m_idents->SetFocus();
}

void CAirportImportDlg::CreateColumns()
{
    m_listCtrl->EnableCheckBoxes();
    for (const auto& column : kColumns)
        m_listCtrl->AppendColumn(ResString(column.titleId), wxLIST_FORMAT_LEFT,
                                 FromDIP(column.width));
}

bool CAirportImportDlg::LoadList(const wxString& path, wxString* error)
{
    std::string message;
    if (!m_list.LoadFile(ToEngine(path), &message)) {
        if (error)
            *error = FromEngine(message);
        return false;
    }
    m_listPath = path;
    ShowListPath();
    return true;
}

void CAirportImportDlg::LoadStartList()
{
    const wxString chosen = CProfile::Session().GetAirportListFile();
    if (!chosen.empty() && LoadList(chosen, &m_listError))
        return;
    wxString error;
    if (!LoadList(FromEngine(GetDefaultAirportListPath()), &error))
        m_listError = m_listError.empty() ? error : m_listError + "\n" + error;
    else if (!m_listError.empty())
        m_listError = ResFormat(IDS_AIR_SHIPPED_INSTEAD, {ToEngine(m_listError)});
}

void CAirportImportDlg::ShowListPath()
{
    m_listFile->SetLabel(m_listPath);
    m_listFile->SetToolTip(m_listPath);
}

bool CAirportImportDlg::IsTicked(const CAirportChoice& choice) const
{
    return choice.CanHold() && m_unticked.count(choice.row) == 0;
}

void CAirportImportDlg::Refill()
{
    const CAirportLookup lookup = FindAirports(m_list, SplitIdents(ToEngine(m_idents->GetValue())));
    m_unknown = lookup.unknown;
    m_choices = ChooseAirportRows(m_list, lookup.rows, m_grid);

    m_filling = true;
    m_listCtrl->Freeze();
    m_listCtrl->DeleteAllItems();
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    for (size_t i = 0; i < m_choices.size(); ++i) {
        const CAirportChoice& choice = m_choices[i];
        const CAirportFrequency& row = m_list.GetRow(choice.row);
        const long item = m_listCtrl->InsertItem(static_cast<long>(i), FromEngine(row.ident));
        m_listCtrl->SetItem(item, kType, FromEngine(row.type));
        m_listCtrl->SetItem(item, kDescription, FromEngine(row.description));
        m_listCtrl->SetItem(item, kListed, FromEngine(row.frequency));
        if (choice.CanHold()) {
            m_listCtrl->SetItem(item, kStoredAs, FromEngine(FormatChannelMHz(choice.fit.storedHz)));
            if (choice.txInhibit)
                m_listCtrl->SetItem(item, kNote, ResString(IDS_AIR_NOTE_TX_INHIBIT));
        } else {
            m_listCtrl->SetItem(item, kNote, FromEngine(GetChoiceReason(choice)));
            m_listCtrl->SetItemTextColour(item, grey);
        }
        m_listCtrl->CheckItem(item, IsTicked(choice));
    }
    m_listCtrl->Thaw();
    m_filling = false;
    SetStatus();
    UpdatePlan();
}

void CAirportImportDlg::SetStatus()
{
    wxString status;
    if (!m_listError.empty()) {
        status = m_listError + " ";
    }
    status += FromEngine(DescribeAirportChoices(m_choices, m_unknown, m_radio->GetChSpacing()));
    m_status->SetLabel(status);
    m_status->SetToolTip(status);
}

void CAirportImportDlg::UpdatePlan()
{
    std::vector<CAirportChoice> ticked;
    for (const CAirportChoice& choice : m_choices) {
        if (IsTicked(choice))
            ticked.push_back(choice);
    }
    m_plan = PlanAirportImport(*m_radio, m_list, ticked, static_cast<unsigned>(m_from->GetValue()),
                               m_overwrite->GetValue());

    std::map<uint32_t, const CAirportPlacement*> byRow;
    for (const auto* placements : {&m_plan.placed, &m_plan.notPlaced}) {
        for (const CAirportPlacement& p : *placements)
            byRow[p.row] = &p;
    }
    for (size_t i = 0; i < m_choices.size(); ++i) {
        auto it = byRow.find(m_choices[i].row);
        const long item = static_cast<long>(i);
        const bool placed = it != byRow.end();
        m_listCtrl->SetItem(item, kName, placed ? FromEngine(it->second->name) : wxString());
        m_listCtrl->SetItem(item, kChannel,
                            placed && it->second->channel
                                ? wxString::Format("%u", it->second->channel)
                                : wxString());
    }

    const wxString summary = FromEngine(SummarizeAirportPlan(m_plan));
    m_summaryText = summary;
    m_summaryWidth = 0;
    WrapSummary();
    m_summary->SetToolTip(summary);
    FindWindow(wxID_OK)->Enable(!m_plan.placed.empty());
    FitColumns();
}

void CAirportImportDlg::FitColumns()
{
    for (int c = 0; c < kColumnCount; ++c) {
        m_listCtrl->SetColumnWidth(c, wxLIST_AUTOSIZE_USEHEADER);
        m_listCtrl->SetColumnWidth(c, std::max(m_listCtrl->GetColumnWidth(c),
                                               FromDIP(kColumns[c].width)));
    }
}

void CAirportImportDlg::WrapSummary()
{
    // The summary spans the dialog as the list does.
    const int width = m_listCtrl->GetSize().x;
    if (width == m_summaryWidth)
        return;
    m_summaryWidth = width;
    m_summary->SetLabel(m_summaryText);
    m_summary->Wrap(width);
    Layout();
}

wxString CAirportImportDlg::GetStatusText() const
{
    return m_status->GetLabel();
}

wxString CAirportImportDlg::GetSummaryText() const
{
    return m_summaryText;
}

void CAirportImportDlg::OnIdentsChanged(wxCommandEvent&)
{
    m_refillTimer.StartOnce(kTypingPauseMs);
}

void CAirportImportDlg::OnOk(wxCommandEvent& event)
{
    // OK takes the idents as they stand, also those typed just before it.
    if (m_refillTimer.IsRunning()) {
        m_refillTimer.Stop();
        Refill();
    }
    if (!m_plan.placed.empty())
        event.Skip();
}

void CAirportImportDlg::OnItemCheckChanged(wxListEvent& event)
{
    const size_t i = static_cast<size_t>(event.GetIndex());
    if (m_filling || i >= m_choices.size())
        return;
    const bool ticked = event.GetEventType() == wxEVT_LIST_ITEM_CHECKED;
    if (ticked && !m_choices[i].CanHold()) {
        // A frequency the transceiver cannot hold cannot be ticked.
        m_filling = true;
        m_listCtrl->CheckItem(event.GetIndex(), false);
        m_filling = false;
        return;
    }
    if (ticked)
        m_unticked.erase(m_choices[i].row);
    else
        m_unticked.insert(m_choices[i].row);
    UpdatePlan();
}

// Space and Enter tick or untick the row with the focus (Enter does not import); in a list
// without one they give the first row the focus.
void CAirportImportDlg::OnListKey(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if ((key != WXK_SPACE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) ||
        event.GetModifiers() != wxMOD_NONE) {
        event.Skip();
        return;
    }
    const long item = m_listCtrl->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (item < 0) {
        if (m_listCtrl->GetItemCount() > 0)
            m_listCtrl->SetItemState(0, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                                     wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
        return;
    }
    m_listCtrl->CheckItem(item, !m_listCtrl->IsItemChecked(item));
}

void CAirportImportDlg::OnPlacementChanged(wxCommandEvent&)
{
    UpdatePlan();
}

void CAirportImportDlg::OnChooseList(wxCommandEvent&)
{
    wxFileDialog dialog(this, ResString(IDS_AIR_CHOOSE_TITLE), wxString(), wxString(),
                        ResString(IDS_CSV_FILE_TYPES) + "|*.csv;*.CSV|" +
                            ResString(IDS_APP_ALL_FILES) + "|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        SwitchList(dialog.GetPath(), dialog.GetPath());
}

void CAirportImportDlg::OnShippedList(wxCommandEvent&)
{
    SwitchList(FromEngine(GetDefaultAirportListPath()), wxString());
}

void CAirportImportDlg::SwitchList(const wxString& path, const wxString& remembered)
{
    wxString error;
    if (!LoadList(path, &error)) {
        wxMessageBox(error, ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    CProfile::Session().SetAirportListFile(remembered);
    m_listError.clear();
    m_unticked.clear();
    Refill();
}
