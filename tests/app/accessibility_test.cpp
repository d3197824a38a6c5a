// What screen readers learn through ATK: the Edit Memory labels, the status bar's text, and the
// channel list as a table with column headers, row texts and the selection.

#include "tests/app/gui_test.h"

#include <gtk/gtk.h>

namespace {

AtkObject* Accessible(wxWindow* w)
{
    return gtk_widget_get_accessible(w->m_wxwindow ? w->m_wxwindow : w->m_widget);
}

std::string Name(AtkObject* o) { const char* n = atk_object_get_name(o); return n ? n : ""; }

} // namespace

TEST(Accessibility, EachEditMemoryFieldIsLabelledByItsOwnLabel)
{
    CRecordingRadio radio;
    CEditMemoryDlg dialog(nullptr, &radio, 1);
    auto atk = [&](std::string id) { return Accessible(XrcCtrl<wxWindow>(dialog, id.c_str())); };
    for (const std::string field : {"FREQUENCY", "NAME"}) {
        AtkObject* label = atk("IDC_STATIC_" + field);
        AtkRelationSet* set = atk_object_ref_relation_set(atk("IDC_EDIT_" + field));
        AtkRelation* by = atk_relation_set_get_relation_by_type(set, ATK_RELATION_LABELLED_BY);
        GPtrArray* labels = by ? atk_relation_get_target(by) : nullptr;
        EXPECT_TRUE(labels && labels->len == 1 && g_ptr_array_index(labels, 0) == label) << field;
        g_object_unref(set);
    }
}

TEST_F(ProgramTest, TheStatusBarTellsItsText)
{
    AtkObject* bar = Accessible(Frame()->GetStatusBar());
    EXPECT_EQ(atk_object_get_role(bar), ATK_ROLE_STATUSBAR);
    EXPECT_EQ(Name(bar), "Ready");
    Frame()->GetStatusBar()->PushStatusText("Edit Memory");
    EXPECT_EQ(Name(bar), "Edit Memory");
}

TEST_F(ProgramTest, TheChannelListIsATableWithHeadersRowTextsAndTheSelection)
{
    UseChannel(3, "121.500", "TOWER");
    AtkObject* object = Accessible(List()->GetRowsWindow());
    ASSERT_TRUE(ATK_IS_TABLE(object) && ATK_IS_SELECTION(object));
    AtkTable* table = ATK_TABLE(object);
    EXPECT_EQ(atk_table_get_n_rows(table) * 100 + atk_table_get_n_columns(table), 2007);
    // Channel 3's row as a screen reader speaks it, each cell under its column's header.
    std::string row, headers;
    for (int c = 0; c < 7; ++c) {
        AtkObject* cell = atk_table_ref_at(table, 2, c);
        row += Name(cell).empty() ? "" : (row.empty() ? "" : " ") + Name(cell);
        GPtrArray* header = atk_table_cell_get_column_header_cells(ATK_TABLE_CELL(cell));
        headers += "|" + Name(ATK_OBJECT(g_ptr_array_index(header, 0)));
        g_ptr_array_unref(header);
        g_object_unref(cell);
    }
    EXPECT_EQ(row + headers,
              "03 121.500 TOWER|CH|Prio|Frequency|Name|Tx Inhibit|Memory Lockout|  ");

    // A reader's selection is the list's; readers hear of the list's own, and of new texts.
    std::string active;
    g_signal_connect(object, "active-descendant-changed",
                     G_CALLBACK(+[](AtkObject*, AtkObject* c, std::string* n) { *n = Name(c); }),
                     &active);
    atk_selection_add_selection(ATK_SELECTION(object), atk_table_get_index_at(table, 4, 0));
    EXPECT_EQ(View()->GetSelectedChannel(), 5u);
    EXPECT_TRUE(WaitFor([&] { return active == "05"; }));
    View()->SelectChannel(3);
    EXPECT_TRUE(atk_table_is_row_selected(table, 2) && !atk_table_is_row_selected(table, 4));
    EXPECT_EQ(active, "03");
    AtkObject* cell = atk_table_ref_at(table, 2, 3);
    UseChannel(3, "118.100", "ATIS");
    EXPECT_EQ(Name(cell), "ATIS");
    g_object_unref(cell);
    g_signal_handlers_disconnect_by_data(object, &active);
}
