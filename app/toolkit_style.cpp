#include "app/toolkit_style.h"

#include <dlfcn.h>

#include <wx/defs.h>

namespace {

// The theme's toolbar buttons carry padding for 24-pixel icons and more; this narrows them.
const char kCompactToolbarCss[] =
    "toolbar { padding: 1px 2px; }\n"
    "toolbar button { padding: 1px; min-height: 0; min-width: 0; }\n"
    "toolbar separator { margin: 0 3px; }\n";

// GTK_STYLE_PROVIDER_PRIORITY_APPLICATION
constexpr unsigned kApplicationPriority = 600;

} // namespace

void ApplyCompactToolbarStyle()
{
#ifdef __WXGTK3__
    // The GTK library is already loaded by the toolkit; its development headers are not
    // needed for these four calls, so they are looked up in the running program.
    using NewProvider = void* (*)();
    using LoadData = int (*)(void*, const char*, long, void**);
    using DefaultScreen = void* (*)();
    using AddProvider = void (*)(void*, void*, unsigned);
    void* self = dlopen(nullptr, RTLD_LAZY);
    if (!self)
        return;
    auto newProvider = reinterpret_cast<NewProvider>(dlsym(self, "gtk_css_provider_new"));
    auto loadData = reinterpret_cast<LoadData>(dlsym(self, "gtk_css_provider_load_from_data"));
    auto defaultScreen = reinterpret_cast<DefaultScreen>(dlsym(self, "gdk_screen_get_default"));
    auto addProvider = reinterpret_cast<AddProvider>(
        dlsym(self, "gtk_style_context_add_provider_for_screen"));
    if (newProvider && loadData && defaultScreen && addProvider) {
        void* screen = defaultScreen();
        void* provider = newProvider();
        if (screen && provider && loadData(provider, kCompactToolbarCss, -1, nullptr))
            addProvider(screen, provider, kApplicationPriority);
    }
    dlclose(self);
#endif
}
