#pragma once

// A report list that draws its rows and its header itself: a selected row is highlighted across
// all columns (up to the right edge of the window), texts and column titles that do not fit
// their column are cut and end in "...", and a text that fits keeps its column's alignment while
// a shortened one is drawn left-aligned. Screen readers see it as a table of its rows,
// cells and column headers.

#include <functional>
#include <map>

#include <wx/colour.h>
#include <wx/listctrl.h>
#include <wx/string.h>

#include "app/accessible_table.h"

class wxDC;

// Width in pixels of a text as it would be drawn.
using TextExtentFunc = std::function<int(const wxString& text)>;

// The text to draw in a column `columnWidth` pixels wide that keeps `margin` pixels free: the
// text itself when it fits, otherwise its longest start that fits together with "..." plus
// "...". A text of one character is never cut (it may still get the "..."). `shortened`, when
// given, tells whether the text was changed.
wxString FitTextToWidth(const wxString& text, int columnWidth, int margin,
                        const TextExtentFunc& extent, bool* shortened = nullptr);

class CListViewEx : public wxListView, private CAccessibleTableSource {
public:
    // Margins kept free by the first column's label and by the other columns' texts.
    static constexpr int kLabelMargin = 4;
    static constexpr int kSubItemMargin = 12;

    CListViewEx(wxWindow* parent, wxWindowID id, long style);
    ~CListViewEx() override;

    // Call after changing item texts, so that screen readers learn the new ones.
    void NotifyTextsChanged();

    bool GetFullRowSelect() const { return m_fullRowSelect; }
    // What screen readers call the list, and the header of `column` where its title is blank.
    void SetAccessibleName(const wxString& name);
    void SetAccessibleHeaderName(int column, const wxString& name);

    bool SetForegroundColour(const wxColour& colour) override;
    bool SetBackgroundColour(const wxColour& colour) override;

    // The text drawn in `column` of `item`: the item's text shortened for the column's
    // current width; `shortened` tells whether it was.
    wxString GetShownText(long item, int column, bool* shortened = nullptr) const;
    // Likewise the title drawn in the header of `column`.
    wxString GetShownHeader(int column, bool* shortened = nullptr) const;
    // The narrowest column whose header shows `title` whole and aligned as the column is.
    int GetHeaderFitWidth(const wxString& title) const;

    // While a context menu of the list is open the menu has the focus; the selected row stays
    // highlighted all the same, so the user sees which channel the command is for.
    void SetContextMenuOpen(bool open);
    // Likewise while a dialog edits the selected row: the user sees which channel it is.
    void SetEditDialogOpen(bool open);

    // Whether `item` is drawn in the selection colour now.
    bool IsRowHighlighted(long item) const;

    // The window that shows the rows (below the header); it has the focus when the list has.
    wxWindow* GetRowsWindow() const { return m_rowsWindow; }
    // Where `item` is drawn, in the rows window: across all columns and up to the window's
    // right edge.
    wxRect GetRowBand(long item) const;

private:
    int GetAccessibleRowCount() const override;
    int GetAccessibleColumnCount() const override;
    wxString GetAccessibleCellText(int row, int column) const override;
    wxString GetAccessibleHeaderText(int column) const override;
    int GetAccessibleSelectedRow() const override;
    int GetAccessibleFocusedRow() const override;
    bool HasAccessibleFocus() const override;
    void SelectAccessibleRow(int row) override;
    wxRect GetAccessibleCellScreenRect(int row, int column) const override;
    wxRect GetAccessibleVisibleScreenRect() const override;

    wxString GetColumnTitle(int column) const;
    bool HasRowFocus() const;
    wxRect ToRowsWindow(wxRect rect, long item) const;
    void DrawRow(wxDC& dc, long item);
    static wxString FitCellText(wxDC& dc, const wxString& text, int width, int column,
                                bool* shortened);
    void DrawCellText(wxDC& dc, const wxString& text, const wxRect& rect, int column, int format);

    void OnPaintHeader(wxPaintEvent& event);
    void ConnectHandlers(bool connect);
    void OnPaintRows(wxPaintEvent& event);
    void OnEraseRows(wxEraseEvent& event);
    void OnRowsSize(wxSizeEvent& event);
    void OnRowsFocus(wxFocusEvent& event);
    void OnSelectionChanged(wxListEvent& event);

    wxWindow* m_rowsWindow = nullptr;
    wxWindow* m_headerWindow = nullptr;
    bool m_fullRowSelect = false;
    bool m_contextMenuOpen = false;
    bool m_editDialogOpen = false;
    bool m_selectToClientWidth = true;
    int m_clientWidth = 0;
    // No state images are used; kept so the label rectangle rule stays in one place.
    int m_stateIconWidth = 0;
    wxColour m_textColor;
    wxColour m_textBackColor;
    wxColour m_backColor;
    std::map<int, wxString> m_headerNames;
};
