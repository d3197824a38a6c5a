#include "app/compare_dlg.h"

#include <algorithm>

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"

CCompareDlg::CCompareDlg(wxWindow* parent, const std::vector<CDataDifference>& differences)
{
    LoadXrcDialog(*this, parent, "IDD_COMPARE");
    const wxString summary = wxString::FromUTF8(DescribeDifferenceCount(differences.size()));
    XrcCtrl<wxStaticText>(*this, "IDC_COMPARE_SUMMARY")->SetLabelText(summary);

    wxListCtrl* list = GetList();
    for (unsigned id :
         {IDS_COMPARE_COLUMN_KEY, IDS_COMPARE_COLUMN_DOCUMENT, IDS_COMPARE_COLUMN_TRANSCEIVER})
        list->AppendColumn(ResString(id));
    for (const CDataDifference& difference : differences) {
        const CDataDifference d = DescribeDifference(difference);
        const long row = list->InsertItem(list->GetItemCount(), wxString::FromUTF8(d.key));
        list->SetItem(row, 1, wxString::FromUTF8(d.left));
        list->SetItem(row, 2, wxString::FromUTF8(d.right));
    }
    // Wide enough for the header and for every value.
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        list->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
        const int header = list->GetColumnWidth(column);
        list->SetColumnWidth(column, wxLIST_AUTOSIZE);
        list->SetColumnWidth(column, std::max(header, list->GetColumnWidth(column)));
    }
    // Nothing to list: the summary says it all.
    list->Show(!differences.empty());
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

wxString CCompareDlg::GetSummary() const
{
    return XrcCtrl<wxStaticText>(*this, "IDC_COMPARE_SUMMARY")->GetLabelText();
}

wxListCtrl* CCompareDlg::GetList() const
{
    return XrcCtrl<wxListCtrl>(*this, "IDC_COMPARE_LIST");
}
