#pragma once

// Compare with Transceiver: the settings and channel fields in which the document differs from
// the data just read from the transceiver, each with both values as pwr455-cli diff shows them.

#include <vector>

#include <wx/dialog.h>

#include "exchange/data_differences.h"

class wxListCtrl;

class CCompareDlg : public wxDialog {
public:
    // `differences` between the document (left) and the transceiver (right).
    CCompareDlg(wxWindow* parent, const std::vector<CDataDifference>& differences);

    wxString GetSummary() const;
    wxListCtrl* GetList() const;
};
