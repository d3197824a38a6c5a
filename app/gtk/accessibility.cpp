#include "app/accessibility.h"

#include <string>

#include <gtk/gtk.h>
#include <wx/window.h>

// wxWidgets offers no accessibility interface on GTK, so this talks to GTK's ATK objects
// directly.

namespace {

// The ATK object of the part of a window that takes the focus and the input: the entry of a
// text field, the widget itself for most others.
AtkObject* AccessibleOf(wxWindow* window)
{
    return gtk_widget_get_accessible(window->GetConnectWidget());
}

// The status bar's note as a notification inside it, the form in which screen readers speak
// a status bar's notes as they appear. One object per status bar serves every note.
AtkObject* NoteObjectOf(AtkObject* statusBar)
{
    static const char kKey[] = "pwr-status-note";
    auto* note = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(statusBar), kKey));
    if (!note) {
        note = ATK_OBJECT(g_object_new(ATK_TYPE_OBJECT, nullptr));
        atk_object_set_role(note, ATK_ROLE_NOTIFICATION);
        atk_object_set_parent(note, statusBar);
        g_object_set_data_full(G_OBJECT(statusBar), kKey, note, g_object_unref);
    }
    return note;
}

} // namespace

void LinkAccessibleLabel(wxWindow* label, wxWindow* field)
{
    AtkObject* labelObject = AccessibleOf(label);
    AtkObject* fieldObject = AccessibleOf(field);
    atk_object_add_relationship(fieldObject, ATK_RELATION_LABELLED_BY, labelObject);
    atk_object_add_relationship(labelObject, ATK_RELATION_LABEL_FOR, fieldObject);
}

void SetAccessibleName(wxWindow* window, const wxString& name)
{
    atk_object_set_name(AccessibleOf(window), name.utf8_str());
}

void SetAccessibleDescription(wxWindow* window, const wxString& description)
{
    AtkObject* object = AccessibleOf(window);
    const wxScopedCharBuffer utf8 = description.utf8_str();
    const char* old = atk_object_get_description(object);
    if (!old || std::string(old) != utf8.data())
        atk_object_set_description(object, utf8.data());
}

void SetAccessibleStatusText(wxWindow* statusBar, const wxString& text)
{
    AtkObject* object = AccessibleOf(statusBar);
    atk_object_set_role(object, ATK_ROLE_STATUSBAR);
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* old = atk_object_get_name(object);
    if (!old || std::string(old) != utf8.data())
        atk_object_set_name(object, utf8.data());
}

void AnnounceAccessibleStatusNote(wxWindow* statusBar, const wxString& text)
{
    AtkObject* note = NoteObjectOf(AccessibleOf(statusBar));
    atk_object_set_name(note, text.utf8_str());
    atk_object_notify_state_change(note, ATK_STATE_SHOWING, TRUE);
}
