#pragma once

// Import Channels from a file in CHIRP's CSV layout: every row of the file, those the
// transceiver cannot hold greyed with the reason, and the choice of where the others go (the
// channel of each row's Location, or the channels in order from one on). The dialog plans the
// import and changes nothing: the caller applies the plan as one step.

#include <string>

#include <wx/dialog.h>

#include "exchange/chirp_csv.h"

class wxListCtrl;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticText;
class CR455Radio;

class CChirpImportDlg : public wxDialog {
public:
    // Plans the file's decoded `bytes` against `radio` (read only); `from` (1 to 20) is the
    // first channel offered for rows in order.
    CChirpImportDlg(wxWindow* parent, const CR455Radio* radio, const std::string& bytes,
                    unsigned from);

    // The import as the dialog stands; after OK, the one to apply.
    const CChirpImportPlan& GetPlan() const { return m_plan; }

    wxListCtrl* GetListCtrl() const { return m_listCtrl; }
    wxRadioButton* GetInOrderButton() const { return m_inOrder; }
    wxString GetSummaryText() const;

private:
    void CreateColumns();
    // The placement changed: the plan, the list and the summary follow.
    void UpdatePlan();
    void FillList();

    const CR455Radio* m_radio;
    const std::string& m_bytes;
    CChirpImportPlan m_plan;
    wxListCtrl* m_listCtrl = nullptr;
    wxRadioButton* m_inOrder = nullptr;
    wxSpinCtrl* m_from = nullptr;
    wxStaticText* m_summary = nullptr;
};
