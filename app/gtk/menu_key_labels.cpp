#include "app/menu_key_labels.h"

#include <gtk/gtk.h>
#include <wx/menu.h>


namespace {

// The item's label keeps its text and mnemonic but stops printing the toolkit's key name; a
// second label in the theme's accelerator style prints `key` at the right edge instead.
void ReplaceKeyName(GtkWidget* menuItem, const wxString& key)
{
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(menuItem));
    if (!label)
        return;
    g_object_ref(label);
    gtk_container_remove(GTK_CONTAINER(menuItem), label);
    if (GTK_IS_ACCEL_LABEL(label))
        gtk_accel_label_set_accel_widget(GTK_ACCEL_LABEL(label), nullptr);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(box), label, TRUE, TRUE, 0);
    g_object_unref(label);
    GtkWidget* keyLabel = gtk_label_new(key.utf8_str());
    gtk_style_context_add_class(gtk_widget_get_style_context(keyLabel), "accelerator");
    gtk_box_pack_end(GTK_BOX(box), keyLabel, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(menuItem), box);
    gtk_widget_show_all(box);
}

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
        if ((key == "Enter" || key == "Del") && item->GetMenuItem())
            ReplaceKeyName(item->GetMenuItem(), key);
    }
}
