// What screen readers learn through ATK: the Edit Memory fields' labels, the status bar's text,
// and the channel list as a table with column headers, row texts and the selection.

#include "tests/app/gui_test.h"

#include <gtk/gtk.h>

namespace {

AtkObject* Accessible(wxWindow* w)
{
    return gtk_widget_get_accessible(w->m_wxwindow ? w->m_wxwindow : w->m_widget);
}

std::string Name(AtkObject* object)
{
    const char* name = object ? atk_object_get_name(object) : nullptr;
    return name ? name : "";
}

// The names of the objects `object` is in a `type` relation with, joined by "|".
std::string Related(AtkObject* object, AtkRelationType type)
{
    std::string names;
    AtkRelationSet* set = atk_object_ref_relation_set(object);
    if (AtkRelation* relation = atk_relation_set_get_relation_by_type(set, type)) {
        GPtrArray* targets = atk_relation_get_target(relation);
        for (guint i = 0; i < targets->len; ++i)
            names += (i ? "|" : "") + Name(ATK_OBJECT(g_ptr_array_index(targets, i)));
    }
    g_object_unref(set);
    return names;
}

} // namespace

TEST(Accessibility, EachEditMemoryFieldHasItsOwnLabel)
{
    CRecordingRadio radio;
    CEditMemoryDlg dialog(nullptr, &radio, 1);
    for (const char* name : {"IDC_EDIT_FREQUENCY", "IDC_EDIT_NAME", "IDC_CHECK_TX_INHIBIT", "IDC_CHECK_CH_LOCKOUT", "IDC_STATIC_FREQUENCY", "IDC_STATIC_NAME"}) {
        AtkObject* o = Accessible(XrcCtrl<wxWindow>(dialog, name));
        printf("%s: name='%s' role=%s by='%s' for='%s' type=%s\n", name, Name(o).c_str(), atk_role_get_name(atk_object_get_role(o)),
               Related(o, ATK_RELATION_LABELLED_BY).c_str(), Related(o, ATK_RELATION_LABEL_FOR).c_str(), G_OBJECT_TYPE_NAME(o));
    }
}
