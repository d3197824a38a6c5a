#pragma once

// Import Airport Frequencies: the user types airport idents and sees every frequency of those
// airports, those the transceiver cannot hold greyed with the reason, ticks the ones to import
// and chooses where they go (the blank channels from a channel on, or every channel from it
// on). The list is filtered once the user pauses typing; the dialog plans the import and changes
// nothing: the caller applies the plan (ApplyAirportPlan) as one step.

#include <set>
#include <vector>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "exchange/airport_import.h"
#include "exchange/airport_list.h"

class wxListCtrl;
class wxListEvent;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticText;
class wxTextCtrl;
class CR455Radio;

class CAirportImportDlg : public wxDialog {
public:
    // Columns of the list.
    enum EColumn {
        kIdent,
        kType,
        kDescription,
        kListed,
        kStoredAs,
        kName,
        kChannel,
        kNote,
        kColumnCount
    };

    // Plans against `radio` (read only) from channel `from` (1 to 20). Loads the list the
    // profile names, or the shipped one.
    CAirportImportDlg(wxWindow* parent, const CR455Radio* radio, unsigned from);

    // The import as the dialog stands; after OK, the one to apply.
    const CAirportImportPlan& GetPlan() const { return m_plan; }

    // Replaces the list by the file at `path`; false (and the list unchanged) with the reason.
    bool LoadList(const wxString& path, wxString* error);

    wxTextCtrl* GetIdentsEdit() const { return m_idents; }
    // True from a change of the idents until the rows shown follow it, once typing pauses.
    bool IsFilterPending() const { return m_refillTimer.IsRunning(); }
    wxListCtrl* GetListCtrl() const { return m_listCtrl; }
    wxString GetStatusText() const;
    wxString GetSummaryText() const;

private:
    void CreateColumns();
    void LoadStartList();
    void ShowListPath();
    // The idents or the list changed: the rows shown are found again.
    void Refill();
    // Ticks or placement changed: the plan, its names and channels, and the summary follow.
    void UpdatePlan();
    bool IsTicked(const CAirportChoice& choice) const;
    void SetStatus();
    // Every column as wide as its title and its widest text.
    void FitColumns();
    // The summary in lines as wide as the dialog, all of it shown.
    void WrapSummary();

    void OnIdentsChanged(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnItemCheckChanged(wxListEvent& event);
    void OnListKey(wxKeyEvent& event);
    void OnPlacementChanged(wxCommandEvent& event);
    void OnChooseList(wxCommandEvent& event);
    void OnShippedList(wxCommandEvent& event);
    // Loads the list at `path` and, when it loads, remembers `remembered` in the profile (empty:
    // the shipped list) and shows the new list's rows; a list that does not load is reported.
    void SwitchList(const wxString& path, const wxString& remembered);

    const CR455Radio* m_radio;
    EChannelGrid m_grid;
    CAirportList m_list;
    wxString m_listPath;
    wxString m_listError;                  // why the list the profile names did not load
    std::vector<std::string> m_unknown;    // idents typed that the list does not know
    std::vector<CAirportChoice> m_choices; // the rows shown, in order
    std::set<uint32_t> m_unticked;         // list rows the user unticked
    CAirportImportPlan m_plan;
    bool m_filling = false; // the list is being filled: its check events are ours
    wxTimer m_refillTimer;  // restarted by every change of the idents

    wxTextCtrl* m_idents = nullptr;
    wxStaticText* m_status = nullptr;
    wxListCtrl* m_listCtrl = nullptr;
    wxRadioButton* m_blank = nullptr;
    wxRadioButton* m_overwrite = nullptr;
    wxSpinCtrl* m_from = nullptr;
    wxStaticText* m_summary = nullptr;
    wxString m_summaryText; // unwrapped
    int m_summaryWidth = 0; // the width it was wrapped to
    wxStaticText* m_listFile = nullptr;
};
