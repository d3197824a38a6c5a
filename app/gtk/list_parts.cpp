#include "app/list_parts.h"

#include <wx/listctrl.h>

namespace {

// The generic list keeps its parts in protected members; this names them publicly, so that a
// pointer to each member can be formed.
struct CGenericListParts : wxGenericListCtrl {
    using wxGenericListCtrl::m_headerWin;
    using wxGenericListCtrl::m_mainWin;
};

// The child of `list` that is `part` (the part's class is private to the toolkit).
wxWindow* FindChild(wxListView& list, const void* part)
{
    for (wxWindow* child : list.GetChildren()) {
        if (static_cast<const void*>(child) == part)
            return child;
    }
    return nullptr;
}

} // namespace

wxWindow* GetListRowsWindow(wxListView& list)
{
    return FindChild(list, list.*(&CGenericListParts::m_mainWin));
}

wxWindow* GetListHeaderWindow(wxListView& list)
{
    return FindChild(list, list.*(&CGenericListParts::m_headerWin));
}

int GetListScrollX(const wxListView& list)
{
    int unit = 0;
    int start = 0;
    list.GetScrollPixelsPerUnit(&unit, nullptr);
    list.GetViewStart(&start, nullptr);
    return unit * start;
}
