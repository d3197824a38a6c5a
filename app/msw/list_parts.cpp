#include "app/list_parts.h"

// Windows' list view draws its rows and its header itself and shows them to screen readers.

wxWindow* GetListRowsWindow(wxListView&)
{
    return nullptr;
}

wxWindow* GetListHeaderWindow(wxListView&)
{
    return nullptr;
}

int GetListScrollX(const wxListView&)
{
    return 0;
}
