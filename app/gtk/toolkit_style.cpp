#include "app/toolkit_style.h"

#include <gtk/gtk.h>

namespace {

// The theme's toolbar buttons carry padding for 24-pixel icons and more; this narrows them.
const char kCompactToolbarCss[] = "toolbar { padding: 1px 2px; }\n"
                                  "toolbar button { padding: 1px; min-height: 0; min-width: 0; }\n"
                                  "toolbar separator { margin: 0 3px; }\n";

} // namespace

void ApplyCompactToolbarStyle()
{
    GdkScreen* screen = gdk_screen_get_default();
    GtkCssProvider* provider = gtk_css_provider_new();
    if (screen && gtk_css_provider_load_from_data(provider, kCompactToolbarCss, -1, nullptr))
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

double TextScale(const wxWindow&)
{
    // The font resolution, which the desktop's text scaling raises (GDK_DPI_SCALE, Xft.dpi).
    GdkScreen* screen = gdk_screen_get_default();
    const double resolution = screen ? gdk_screen_get_resolution(screen) : -1;
    return resolution > 0 ? resolution / 96.0 : 1.0;
}
