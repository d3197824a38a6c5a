#include "app/window_manager.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>

namespace {

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer mapped)
{
    *static_cast<bool*>(mapped) = true;
    return FALSE; // the toolkit's own handling goes on
}

} // namespace

bool NotifyWhenMapped(wxTopLevelWindow& window, bool* mapped)
{
    return g_signal_connect(window.GetHandle(), "map-event", G_CALLBACK(OnMapped), mapped) != 0;
}

wxSize GetDecorationSize(const wxTopLevelWindow& window)
{
    // wxWidgets keeps the frame extents the window manager reported.
    const auto& decor = window.m_decorSize;
    return wxSize(decor.left + decor.right, decor.top + decor.bottom);
}
