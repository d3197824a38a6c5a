#include "app/accessible_table.h"

#include <string>
#include <vector>

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>
#include <wx/window.h>

// wxWidgets offers no accessibility interface on GTK, so this talks to GTK's ATK objects
// directly. A self-drawn list gets an ATK table of its own: GTK asks a widget's class for its
// accessible object, so the class's factory function is wrapped once and answers with the
// table for the widgets that have one, and as before for all others.

namespace {

// The part of a window that takes the focus and the input: the drawing area of a window that
// draws itself.
GtkWidget* WidgetOf(wxWindow* window)
{
    return window->GetConnectWidget();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The table and its cells as GObject types. The table's children are the column headers
// (first) and then the cells row by row; a cell object is made when a reader first asks for it
// and is kept until the list goes away.

namespace {

struct CTableState {
    CAccessibleTableSource* source = nullptr;
    std::vector<AtkObject*> children;
    int selectedRow = -1;
    // The row whose first cell readers were told has the focus; -1 while the list has none.
    int activeRow = -1;
};

} // namespace

extern "C" {

struct PwrAccessibleTable {
    GtkWidgetAccessible parent;
    CTableState* state;
};
struct PwrAccessibleTableClass {
    GtkWidgetAccessibleClass parentClass;
};

struct PwrAccessibleCell {
    AtkObject parent;
    int row; // -1 for a column header
    int column;
    int index;
    gchar* text;
};
struct PwrAccessibleCellClass {
    AtkObjectClass parentClass;
};

static void pwr_accessible_table_table_init(AtkTableIface* iface);
static void pwr_accessible_table_selection_init(AtkSelectionIface* iface);
static void pwr_accessible_cell_component_init(AtkComponentIface* iface);
static void pwr_accessible_cell_table_cell_init(AtkTableCellIface* iface);

G_DEFINE_TYPE_WITH_CODE(PwrAccessibleTable, pwr_accessible_table, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TABLE, pwr_accessible_table_table_init)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION,
                                                  pwr_accessible_table_selection_init))

G_DEFINE_TYPE_WITH_CODE(PwrAccessibleCell, pwr_accessible_cell, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT,
                                              pwr_accessible_cell_component_init)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_TABLE_CELL,
                                                  pwr_accessible_cell_table_cell_init))

} // extern "C"

namespace {

const char kTableKey[] = "pwr-accessible-table";

PwrAccessibleTable* AsTable(gpointer object)
{
    return G_TYPE_CHECK_INSTANCE_TYPE(object, pwr_accessible_table_get_type())
               ? reinterpret_cast<PwrAccessibleTable*>(object)
               : nullptr;
}

PwrAccessibleCell* AsCell(gpointer object)
{
    return reinterpret_cast<PwrAccessibleCell*>(object);
}

// The source of a table still attached to a live widget, or null.
CAccessibleTableSource* SourceOf(PwrAccessibleTable* table)
{
    if (!table || !table->state ||
        !gtk_accessible_get_widget(reinterpret_cast<GtkAccessible*>(table)))
        return nullptr;
    return table->state->source;
}

PwrAccessibleTable* TableOfCell(gpointer cell)
{
    return AsTable(atk_object_get_parent(ATK_OBJECT(cell)));
}

int ColumnCount(CAccessibleTableSource* source)
{
    return source ? source->GetAccessibleColumnCount() : 0;
}

int RowCount(CAccessibleTableSource* source)
{
    return source ? source->GetAccessibleRowCount() : 0;
}

int ChildCount(CAccessibleTableSource* source)
{
    return ColumnCount(source) * (RowCount(source) + 1);
}

wxString CellText(CAccessibleTableSource* source, int row, int column)
{
    if (!source)
        return wxString();
    return row < 0 ? source->GetAccessibleHeaderText(column)
                   : source->GetAccessibleCellText(row, column);
}

// Keeps the cell's text current; true when it changed.
bool RefreshCellText(PwrAccessibleCell* cell)
{
    const wxString text = CellText(SourceOf(TableOfCell(cell)), cell->row, cell->column);
    const wxScopedCharBuffer utf8 = text.utf8_str();
    if (cell->text && std::string(cell->text) == utf8.data())
        return false;
    g_free(cell->text);
    cell->text = g_strdup(utf8.data());
    return true;
}

// The child at `index` (not a new reference), made on first use; null outside the table.
AtkObject* ChildAt(PwrAccessibleTable* table, int index)
{
    CAccessibleTableSource* source = SourceOf(table);
    if (index < 0 || index >= ChildCount(source))
        return nullptr;
    std::vector<AtkObject*>& children = table->state->children;
    if (children.size() <= static_cast<size_t>(index))
        children.resize(index + 1, nullptr);
    if (!children[index]) {
        const int columns = ColumnCount(source);
        auto* cell = AsCell(g_object_new(pwr_accessible_cell_get_type(), nullptr));
        cell->index = index;
        cell->row = index / columns - 1;
        cell->column = index % columns;
        AtkObject* object = ATK_OBJECT(cell);
        object->role = cell->row < 0 ? ATK_ROLE_TABLE_COLUMN_HEADER : ATK_ROLE_TABLE_CELL;
        atk_object_set_parent(object, ATK_OBJECT(table));
        RefreshCellText(cell);
        children[index] = object;
    }
    return children[index];
}

AtkObject* CellAt(PwrAccessibleTable* table, int row, int column)
{
    CAccessibleTableSource* source = SourceOf(table);
    if (row < -1 || row >= RowCount(source) || column < 0 || column >= ColumnCount(source))
        return nullptr;
    return ChildAt(table, (row + 1) * ColumnCount(source) + column);
}

AtkObject* NewRef(AtkObject* object)
{
    return object ? ATK_OBJECT(g_object_ref(object)) : nullptr;
}

// Cells hold their table as parent; dropping the table's hold on them ends the cycle.
void ReleaseChildren(PwrAccessibleTable* table)
{
    if (!table->state)
        return;
    for (AtkObject* child : table->state->children) {
        if (child)
            g_object_unref(child);
    }
    table->state->children.clear();
}

void TellRowState(PwrAccessibleTable* table, int row, AtkStateType state, bool on)
{
    const int columns = ColumnCount(SourceOf(table));
    for (int column = 0; column < columns && row >= 0; ++column) {
        const size_t index = static_cast<size_t>((row + 1) * columns + column);
        if (index < table->state->children.size() && table->state->children[index])
            atk_object_notify_state_change(table->state->children[index], state, on);
    }
}

// ---- the table

void TableInitialize(AtkObject* object, gpointer data)
{
    ATK_OBJECT_CLASS(pwr_accessible_table_parent_class)->initialize(object, data);
    object->role = ATK_ROLE_TABLE;
}

gint TableChildCount(AtkObject* object)
{
    return ChildCount(SourceOf(AsTable(object)));
}

AtkObject* TableRefChild(AtkObject* object, gint index)
{
    return NewRef(ChildAt(AsTable(object), index));
}

AtkStateSet* TableRefStateSet(AtkObject* object)
{
    AtkStateSet* set = ATK_OBJECT_CLASS(pwr_accessible_table_parent_class)->ref_state_set(object);
    atk_state_set_add_state(set, ATK_STATE_MANAGES_DESCENDANTS);
    return set;
}

void TableFinalize(GObject* object)
{
    auto* table = AsTable(object);
    ReleaseChildren(table);
    delete table->state;
    table->state = nullptr;
    G_OBJECT_CLASS(pwr_accessible_table_parent_class)->finalize(object);
}

// ---- the table's AtkTable and AtkSelection

AtkObject* TableRefAt(AtkTable* table, gint row, gint column)
{
    return NewRef(CellAt(AsTable(table), row, column));
}

gint TableIndexAt(AtkTable* table, gint row, gint column)
{
    AtkObject* cell = CellAt(AsTable(table), row, column);
    return cell ? AsCell(cell)->index : -1;
}

gint TableColumnAtIndex(AtkTable* table, gint index)
{
    const int columns = ColumnCount(SourceOf(AsTable(table)));
    return columns > 0 ? index % columns : -1;
}

gint TableRowAtIndex(AtkTable* table, gint index)
{
    const int columns = ColumnCount(SourceOf(AsTable(table)));
    return columns > 0 ? index / columns - 1 : -1;
}

gint TableColumns(AtkTable* table)
{
    return ColumnCount(SourceOf(AsTable(table)));
}

gint TableRows(AtkTable* table)
{
    return RowCount(SourceOf(AsTable(table)));
}

AtkObject* TableColumnHeader(AtkTable* table, gint column)
{
    return CellAt(AsTable(table), -1, column);
}

const gchar* TableColumnDescription(AtkTable* table, gint column)
{
    AtkObject* header = CellAt(AsTable(table), -1, column);
    return header ? atk_object_get_name(header) : nullptr;
}

int SelectedRow(gpointer table)
{
    CAccessibleTableSource* source = SourceOf(AsTable(table));
    return source ? source->GetAccessibleSelectedRow() : -1;
}

gboolean TableIsRowSelected(AtkTable* table, gint row)
{
    return row >= 0 && row == SelectedRow(table);
}

gboolean TableIsSelected(AtkTable* table, gint row, gint)
{
    return TableIsRowSelected(table, row);
}

gint TableSelectedRows(AtkTable* table, gint** selected)
{
    const int row = SelectedRow(table);
    if (row < 0 || !selected)
        return 0;
    *selected = g_new(gint, 1);
    (*selected)[0] = row;
    return 1;
}

gboolean SelectRow(gpointer table, gint row)
{
    CAccessibleTableSource* source = SourceOf(AsTable(table));
    if (!source || row < 0 || row >= RowCount(source))
        return FALSE;
    source->SelectAccessibleRow(row);
    return TRUE;
}

gboolean TableAddRowSelection(AtkTable* table, gint row)
{
    return SelectRow(table, row);
}

gboolean SelectionAdd(AtkSelection* selection, gint index)
{
    return SelectRow(selection, TableRowAtIndex(ATK_TABLE(selection), index));
}

AtkObject* SelectionRef(AtkSelection* selection, gint index)
{
    const int row = SelectedRow(selection);
    return index == 0 && row >= 0 ? NewRef(CellAt(AsTable(selection), row, 0)) : nullptr;
}

gint SelectionCount(AtkSelection* selection)
{
    return SelectedRow(selection) >= 0 ? 1 : 0;
}

gboolean SelectionIsChildSelected(AtkSelection* selection, gint index)
{
    return TableIsRowSelected(ATK_TABLE(selection), TableRowAtIndex(ATK_TABLE(selection), index));
}

// ---- the cells

void CellFinalize(GObject* object)
{
    g_free(AsCell(object)->text);
    G_OBJECT_CLASS(pwr_accessible_cell_parent_class)->finalize(object);
}

const gchar* CellName(AtkObject* object)
{
    auto* cell = AsCell(object);
    RefreshCellText(cell);
    return cell->text;
}

gint CellIndexInParent(AtkObject* object)
{
    return AsCell(object)->index;
}

bool IsCellShowing(CAccessibleTableSource* source, const PwrAccessibleCell* cell)
{
    if (cell->row < 0)
        return true;
    return source->GetAccessibleCellScreenRect(cell->row, cell->column)
        .Intersects(source->GetAccessibleVisibleScreenRect());
}

AtkStateSet* CellRefStateSet(AtkObject* object)
{
    auto* cell = AsCell(object);
    AtkStateSet* set = atk_state_set_new();
    CAccessibleTableSource* source = SourceOf(TableOfCell(cell));
    if (!source) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    AtkStateType always[] = {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE,
                             ATK_STATE_TRANSIENT};
    atk_state_set_add_states(set, always, G_N_ELEMENTS(always));
    if (IsCellShowing(source, cell))
        atk_state_set_add_state(set, ATK_STATE_SHOWING);
    if (cell->row < 0)
        return set;
    atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
    atk_state_set_add_state(set, ATK_STATE_FOCUSABLE);
    if (cell->row == source->GetAccessibleSelectedRow())
        atk_state_set_add_state(set, ATK_STATE_SELECTED);
    if (cell->row == source->GetAccessibleFocusedRow() && source->HasAccessibleFocus())
        atk_state_set_add_state(set, ATK_STATE_FOCUSED);
    return set;
}

// The origin of `coordinates` in screen coordinates, as seen from `table`.
void CoordinateOrigin(PwrAccessibleTable* table, AtkCoordType coordinates, gint* x, gint* y)
{
    *x = *y = 0;
    GtkWidget* widget = gtk_accessible_get_widget(reinterpret_cast<GtkAccessible*>(table));
    if (coordinates == ATK_XY_WINDOW && widget && gtk_widget_get_window(widget)) {
        gdk_window_get_origin(gdk_window_get_toplevel(gtk_widget_get_window(widget)), x, y);
    } else if (coordinates == ATK_XY_PARENT) {
        atk_component_get_extents(ATK_COMPONENT(table), x, y, nullptr, nullptr, ATK_XY_SCREEN);
    }
}

void CellExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                 AtkCoordType coordinates)
{
    auto* cell = AsCell(component);
    PwrAccessibleTable* table = TableOfCell(cell);
    CAccessibleTableSource* source = SourceOf(table);
    const wxRect rect = source ? source->GetAccessibleCellScreenRect(cell->row, cell->column)
                               : wxRect();
    gint originX = 0, originY = 0;
    if (source)
        CoordinateOrigin(table, coordinates, &originX, &originY);
    if (x)
        *x = rect.x - originX;
    if (y)
        *y = rect.y - originY;
    if (width)
        *width = rect.width;
    if (height)
        *height = rect.height;
}

gboolean CellGrabFocus(AtkComponent* component)
{
    auto* cell = AsCell(component);
    return SelectRow(TableOfCell(cell), cell->row);
}

gboolean CellPosition(AtkTableCell* tableCell, gint* row, gint* column)
{
    auto* cell = AsCell(tableCell);
    *row = cell->row;
    *column = cell->column;
    return TRUE;
}

gint CellSpan(AtkTableCell*)
{
    return 1;
}

GPtrArray* CellColumnHeaders(AtkTableCell* tableCell)
{
    auto* cell = AsCell(tableCell);
    GPtrArray* headers = g_ptr_array_new_with_free_func(g_object_unref);
    AtkObject* header = cell->row >= 0 ? CellAt(TableOfCell(cell), -1, cell->column) : nullptr;
    if (header)
        g_ptr_array_add(headers, g_object_ref(header));
    return headers;
}

GPtrArray* CellRowHeaders(AtkTableCell*)
{
    return g_ptr_array_new_with_free_func(g_object_unref);
}

AtkObject* CellTable(AtkTableCell* tableCell)
{
    return NewRef(atk_object_get_parent(ATK_OBJECT(tableCell)));
}

} // namespace

extern "C" {

static void pwr_accessible_table_init(PwrAccessibleTable* table)
{
    table->state = new CTableState;
}

static void pwr_accessible_table_class_init(PwrAccessibleTableClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = TableFinalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = TableInitialize;
    atk->get_n_children = TableChildCount;
    atk->ref_child = TableRefChild;
    atk->ref_state_set = TableRefStateSet;
}

static void pwr_accessible_table_table_init(AtkTableIface* iface)
{
    iface->ref_at = TableRefAt;
    iface->get_index_at = TableIndexAt;
    iface->get_column_at_index = TableColumnAtIndex;
    iface->get_row_at_index = TableRowAtIndex;
    iface->get_n_columns = TableColumns;
    iface->get_n_rows = TableRows;
    iface->get_column_header = TableColumnHeader;
    iface->get_column_description = TableColumnDescription;
    iface->is_row_selected = TableIsRowSelected;
    iface->is_selected = TableIsSelected;
    iface->get_selected_rows = TableSelectedRows;
    iface->add_row_selection = TableAddRowSelection;
}

static void pwr_accessible_table_selection_init(AtkSelectionIface* iface)
{
    iface->add_selection = SelectionAdd;
    iface->ref_selection = SelectionRef;
    iface->get_selection_count = SelectionCount;
    iface->is_child_selected = SelectionIsChildSelected;
}

static void pwr_accessible_cell_init(PwrAccessibleCell*) {}

static void pwr_accessible_cell_class_init(PwrAccessibleCellClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = CellFinalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = CellName;
    atk->get_index_in_parent = CellIndexInParent;
    atk->ref_state_set = CellRefStateSet;
}

static void pwr_accessible_cell_component_init(AtkComponentIface* iface)
{
    iface->get_extents = CellExtents;
    iface->grab_focus = CellGrabFocus;
}

static void pwr_accessible_cell_table_cell_init(AtkTableCellIface* iface)
{
    iface->get_position = CellPosition;
    iface->get_column_span = CellSpan;
    iface->get_row_span = CellSpan;
    iface->get_column_header_cells = CellColumnHeaders;
    iface->get_row_header_cells = CellRowHeaders;
    iface->get_table = CellTable;
}

} // extern "C"

// ---------------------------------------------------------------------------------------------
// Handing the table to GTK.

namespace {

using AccessibleFactory = AtkObject* (*)(GtkWidget*);

GQuark FactoryQuark()
{
    return g_quark_from_static_string("pwr-accessible-factory");
}

AtkObject* AccessibleFactoryWithTables(GtkWidget* widget)
{
    if (auto* table = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(widget), kTableKey)))
        return table;
    // Subclasses inherit the wrapped function; the class that was wrapped keeps the original.
    for (GType type = G_TYPE_FROM_INSTANCE(widget); type; type = g_type_parent(type)) {
        if (auto factory =
                reinterpret_cast<AccessibleFactory>(g_type_get_qdata(type, FactoryQuark())))
            return factory(widget);
    }
    return nullptr;
}

void WrapAccessibleFactory(GtkWidget* widget)
{
    GtkWidgetClass* klass = GTK_WIDGET_GET_CLASS(widget);
    if (klass->get_accessible == AccessibleFactoryWithTables)
        return;
    g_type_set_qdata(G_TYPE_FROM_CLASS(klass), FactoryQuark(),
                     reinterpret_cast<gpointer>(klass->get_accessible));
    klass->get_accessible = AccessibleFactoryWithTables;
}

PwrAccessibleTable* AttachedTable(wxWindow* window)
{
    return AsTable(g_object_get_data(G_OBJECT(WidgetOf(window)), kTableKey));
}

void OnTableWidgetDestroy(GtkWidget*, gpointer data)
{
    auto* table = AsTable(data);
    ReleaseChildren(table);
    table->state->source = nullptr;
    gtk_accessible_set_widget(reinterpret_cast<GtkAccessible*>(table), nullptr);
}

} // namespace

void AttachAccessibleTable(wxWindow* window, CAccessibleTableSource* source)
{
    GtkWidget* widget = WidgetOf(window);
    WrapAccessibleFactory(widget);
    auto* table = AsTable(g_object_new(pwr_accessible_table_get_type(), "widget", widget, nullptr));
    atk_object_initialize(ATK_OBJECT(table), widget);
    table->state->source = source;
    g_object_set_data_full(G_OBJECT(widget), kTableKey, table, g_object_unref);
    g_signal_connect(widget, "destroy", G_CALLBACK(OnTableWidgetDestroy), table);
}

void DetachAccessibleTable(wxWindow* window)
{
    if (PwrAccessibleTable* table = AttachedTable(window)) {
        ReleaseChildren(table);
        table->state->source = nullptr;
    }
}

namespace {

// Tells readers what moved since they were last told: the selected row, and the row whose first
// cell has the focus. `refocus` tells the focused row again, for a list that just took the
// focus.
void TellSelection(PwrAccessibleTable* table, bool refocus)
{
    CAccessibleTableSource* source = SourceOf(table);
    if (!source)
        return;
    CTableState& state = *table->state;
    const int selected = source->GetAccessibleSelectedRow();
    if (selected != state.selectedRow) {
        TellRowState(table, state.selectedRow, ATK_STATE_SELECTED, false);
        TellRowState(table, selected, ATK_STATE_SELECTED, true);
        state.selectedRow = selected;
        g_signal_emit_by_name(table, "selection-changed");
    }
    const int active = source->HasAccessibleFocus() ? source->GetAccessibleFocusedRow() : -1;
    if (active != state.activeRow || refocus) {
        const int oldRow = state.activeRow != active ? state.activeRow : -1;
        if (AtkObject* old = oldRow >= 0 ? CellAt(table, oldRow, 0) : nullptr)
            atk_object_notify_state_change(old, ATK_STATE_FOCUSED, FALSE);
        state.activeRow = active;
        if (AtkObject* now = active >= 0 ? CellAt(table, active, 0) : nullptr) {
            atk_object_notify_state_change(now, ATK_STATE_FOCUSED, TRUE);
            g_signal_emit_by_name(table, "active-descendant-changed", now);
        }
    }
}

gboolean TellFocusWhenIdle(gpointer table)
{
    TellSelection(AsTable(table), true);
    return G_SOURCE_REMOVE;
}

} // namespace

void NotifyAccessibleSelection(wxWindow* window)
{
    TellSelection(AttachedTable(window), false);
}

void NotifyAccessibleFocus(wxWindow* window)
{
    // GTK tells readers that a widget took the focus once it is idle. Readers follow the rows
    // of the widget that has the focus, so the focused row is told after that, at a lower
    // priority.
    if (PwrAccessibleTable* table = AttachedTable(window))
        g_idle_add_full(G_PRIORITY_LOW, TellFocusWhenIdle, g_object_ref(table), g_object_unref);
}

void NotifyAccessibleTexts(wxWindow* window)
{
    PwrAccessibleTable* table = AttachedTable(window);
    if (!SourceOf(table))
        return;
    bool changed = false;
    for (AtkObject* child : table->state->children) {
        if (child && RefreshCellText(AsCell(child))) {
            g_object_notify(G_OBJECT(child), "accessible-name");
            changed = true;
        }
    }
    if (changed)
        g_signal_emit_by_name(table, "visible-data-changed");
}
