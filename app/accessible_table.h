#pragma once

// What screen readers and other assistive technology learn about a self-drawn list: its rows,
// cells, column headers and selection, as a table.

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWindow;

// A table of text cells as a self-drawn list shows it; rows and columns count from 0.
class CAccessibleTableSource {
public:
    virtual ~CAccessibleTableSource() = default;

    virtual int GetAccessibleRowCount() const = 0;
    virtual int GetAccessibleColumnCount() const = 0;
    virtual wxString GetAccessibleCellText(int row, int column) const = 0;
    virtual wxString GetAccessibleHeaderText(int column) const = 0;
    // The selected row, or -1.
    virtual int GetAccessibleSelectedRow() const = 0;
    // The row with the keyboard focus mark, or -1.
    virtual int GetAccessibleFocusedRow() const = 0;
    // Whether the window showing the rows has the keyboard focus.
    virtual bool HasAccessibleFocus() const = 0;
    // Selects and focuses `row` alone, as a click on it does.
    virtual void SelectAccessibleRow(int row) = 0;
    // Where a cell (row -1: the column's header) and the visible part of the table lie on the
    // screen.
    virtual wxRect GetAccessibleCellScreenRect(int row, int column) const = 0;
    virtual wxRect GetAccessibleVisibleScreenRect() const = 0;
};

// Presents `window` (the window that takes the keyboard focus) as a table whose contents come
// from `source`. `source` must outlive the window or be detached first.
void AttachAccessibleTable(wxWindow* window, CAccessibleTableSource* source);
void DetachAccessibleTable(wxWindow* window);
// Tell the table's readers that the selection or focus row moved, that the window took or lost
// the keyboard focus, or that cell texts changed.
void NotifyAccessibleSelection(wxWindow* window);
void NotifyAccessibleFocus(wxWindow* window);
void NotifyAccessibleTexts(wxWindow* window);
