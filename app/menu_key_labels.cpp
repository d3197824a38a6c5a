#include "app/menu_key_labels.h"

#include <wx/menu.h>

#include "app/gtk_call.h"

namespace {

#ifdef __WXGTK3__
// The item's label keeps its text and mnemonic but stops printing the toolkit's key name; a
// second label in the theme's accelerator style prints `key` at the right edge instead.
void ReplaceKeyName(void* menuItem, const wxString& key)
{
    using Get = void* (*)(void*);
    using Set = void (*)(void*, void*);
    using Ref = void* (*)(void*);
    using NewBox = void* (*)(int, int);
    using NewLabel = void* (*)(const char*);
    using Pack = void (*)(void*, void*, int, int, unsigned);
    using AddClass = void (*)(void*, const char*);
    auto getChild = GtkCall<Get>("gtk_bin_get_child");
    auto ref = GtkCall<Ref>("g_object_ref");
    auto unref = GtkCall<Ref>("g_object_unref");
    auto remove = GtkCall<Set>("gtk_container_remove");
    auto add = GtkCall<Set>("gtk_container_add");
    auto setAccelWidget = GtkCall<Set>("gtk_accel_label_set_accel_widget");
    auto newBox = GtkCall<NewBox>("gtk_box_new");
    auto newLabel = GtkCall<NewLabel>("gtk_label_new");
    auto packStart = GtkCall<Pack>("gtk_box_pack_start");
    auto packEnd = GtkCall<Pack>("gtk_box_pack_end");
    auto styleContext = GtkCall<Get>("gtk_widget_get_style_context");
    auto addClass = GtkCall<AddClass>("gtk_style_context_add_class");
    auto showAll = GtkCall<Get>("gtk_widget_show_all");
    if (!getChild || !ref || !unref || !remove || !add || !setAccelWidget || !newBox ||
        !newLabel || !packStart || !packEnd || !styleContext || !addClass || !showAll)
        return;
    void* label = getChild(menuItem);
    if (!label)
        return;
    ref(label);
    remove(menuItem, label);
    setAccelWidget(label, nullptr);
    void* box = newBox(0 /* horizontal */, 0);
    packStart(box, label, 1, 1, 0);
    unref(label);
    void* keyLabel = newLabel(key.utf8_str());
    addClass(styleContext(keyLabel), "accelerator");
    packEnd(box, keyLabel, 0, 0, 0);
    add(menuItem, box);
    showAll(box);
}
#endif

} // namespace

void ShowMenuKeyNames(wxMenu* menu)
{
    if (!menu)
        return;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu()) {
            ShowMenuKeyNames(item->GetSubMenu());
            continue;
        }
        const wxString key = item->GetItemLabel().AfterFirst('\t');
#ifdef __WXGTK3__
        if ((key == "Enter" || key == "Del") && item->GetMenuItem())
            ReplaceKeyName(item->GetMenuItem(), key);
#endif
    }
}
