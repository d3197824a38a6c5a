#include "tests/app/gui_test.h"

#include <gtk/gtk.h>

namespace {

AtkObject* Accessible(wxWindow* w) { return gtk_widget_get_accessible(w->GetConnectWidget()); }

std::string Name(AtkObject* o) { const char* n = atk_object_get_name(o); return n ? n : ""; }

} // namespace

TEST_F(ProgramTest, ReadersHearOfFieldLabelsStatusTextsAndTheListsSelectionAndMayChooseIt)
{
    CEditMemoryDlg dialog(nullptr, Radio(), 1);
    auto atk = [&](std::string id) { return Accessible(XrcCtrl<wxWindow>(dialog, id.c_str())); };
    for (const std::string field : {"FREQUENCY", "NAME"}) {
        AtkObject* label = atk("IDC_STATIC_" + field);
        AtkRelationSet* set = atk_object_ref_relation_set(atk("IDC_EDIT_" + field));
        AtkRelation* by = atk_relation_set_get_relation_by_type(set, ATK_RELATION_LABELLED_BY);
        GPtrArray* labels = by ? atk_relation_get_target(by) : nullptr;
        EXPECT_TRUE(labels && labels->len == 1 && g_ptr_array_index(labels, 0) == label) << field;
        g_object_unref(set);
    }
    // The note under the frequency describes the field (readers speak a new one at once); the
    // check box below the note is named by its own text.
    XrcCtrl<wxTextCtrl>(dialog, "IDC_EDIT_FREQUENCY")->SetValue("136.99");
    const char* description = atk_object_get_description(atk("IDC_EDIT_FREQUENCY"));
    EXPECT_EQ(description ? description : "",
              XrcCtrl<wxStaticText>(dialog, "IDC_STATIC_CARRIER")->GetLabel().utf8_string());
    dialog.Show();
    EXPECT_TRUE(WaitFor([&] { return dialog.IsShownOnScreen(); }));
    AtkRelationSet* boxSet = atk_object_ref_relation_set(atk("IDC_CHECK_TX_INHIBIT"));
    EXPECT_FALSE(atk_relation_set_contains(boxSet, ATK_RELATION_LABELLED_BY));
    g_object_unref(boxSet);
    // A note wider than the window is there whole for readers and as the tooltip.
    const std::string note(300, 'N');
    Frame()->SetMessageText(note);
    EXPECT_EQ(Name(Accessible(Frame()->GetStatusBar())), note);
    EXPECT_TRUE(WaitFor([&] { return Frame()->GetStatusBar()->GetToolTipText() == note; }));
    AtkObject* object = Accessible(List()->GetRowsWindow());
    AtkTable* table = ATK_TABLE(object);
    // A reader's selection is the list's, and readers hear of the list's own. The seven column
    // headers are the table's first children.
    std::string active;
    g_signal_connect(object, "active-descendant-changed",
                     G_CALLBACK(+[](AtkObject*, AtkObject* c, std::string* n) { *n = Name(c); }),
                     &active);
    atk_selection_add_selection(ATK_SELECTION(object), 5 * 7); // channel 5's first cell
    EXPECT_EQ(View()->GetSelectedChannel(), 5u);
    EXPECT_TRUE(WaitFor([&] { return active == "05"; }));
    View()->SelectChannel(3);
    EXPECT_TRUE(atk_table_is_row_selected(table, 2) && !atk_table_is_row_selected(table, 4));
    EXPECT_EQ(active, "03");
    g_signal_handlers_disconnect_by_data(object, &active);
}
