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

} // namespace

void LinkAccessibleLabel(wxWindow* label, wxWindow* field)
{
    AtkObject* labelObject = AccessibleOf(label);
    AtkObject* fieldObject = AccessibleOf(field);
    atk_object_add_relationship(fieldObject, ATK_RELATION_LABELLED_BY, labelObject);
    atk_object_add_relationship(labelObject, ATK_RELATION_LABEL_FOR, fieldObject);
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
