#include "app/list_view_ex.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "app/accessibility.h"
#include "app/list_parts.h"

namespace {

// Space the header keeps free on each side of a column's title.
constexpr int kHeaderTextMargin = 6;

} // namespace

wxString FitTextToWidth(const wxString& text, int columnWidth, int margin,
                        const TextExtentFunc& extent, bool* shortened)
{
    if (shortened)
        *shortened = false;
    if (text.empty() || margin + extent(text) <= columnWidth)
        return text;
    const wxString ellipsis = "...";
    const int ellipsisWidth = extent(ellipsis);
    size_t length = text.length();
    // Cut one character at a time until the start and the ellipsis fit; one character stays.
    for (size_t i = length - 1; i >= 1; --i) {
        length = i;
        if (margin + ellipsisWidth + extent(text.Left(i)) <= columnWidth)
            break;
    }
    if (shortened)
        *shortened = true;
    return text.Left(length) + ellipsis;
}

CListViewEx::CListViewEx(wxWindow* parent, wxWindowID id, long style)
    : wxListView(parent, id, wxDefaultPosition, wxDefaultSize,
                 (style & ~wxLC_MASK_TYPE) | wxLC_REPORT),
      m_textColor(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)),
      m_textBackColor(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)),
      m_backColor(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW))
{
    m_fullRowSelect = true;
    m_rowsWindow = GetListRowsWindow(*this);
    if (!m_rowsWindow)
        return; // a native list control draws itself
    m_headerWindow = GetListHeaderWindow(*this);
    ConnectHandlers(true);
    m_clientWidth = m_rowsWindow->GetClientSize().x;
    AttachAccessibleTable(m_rowsWindow, this);
}

CListViewEx::~CListViewEx()
{
    if (!m_rowsWindow)
        return;
    DetachAccessibleTable(m_rowsWindow);
    // The base class destroys the rows and header windows after this object has ended: their
    // last events (the focus leaving, a size) must not reach its handlers.
    ConnectHandlers(false);
}

void CListViewEx::ConnectHandlers(bool connect)
{
    const auto link = [&](wxEvtHandler* source, const auto& type, auto handler) {
        if (connect)
            source->Bind(type, handler, this);
        else
            source->Unbind(type, handler, this);
    };
    // Handlers bound here run before the control's own ones, so the rows are drawn by
    // OnPaintRows instead of the control.
    link(m_rowsWindow, wxEVT_PAINT, &CListViewEx::OnPaintRows);
    link(m_rowsWindow, wxEVT_ERASE_BACKGROUND, &CListViewEx::OnEraseRows);
    link(m_rowsWindow, wxEVT_SIZE, &CListViewEx::OnRowsSize);
    link(m_rowsWindow, wxEVT_SET_FOCUS, &CListViewEx::OnRowsFocus);
    link(m_rowsWindow, wxEVT_KILL_FOCUS, &CListViewEx::OnRowsFocus);
    for (const auto& type :
         {wxEVT_LIST_ITEM_SELECTED, wxEVT_LIST_ITEM_DESELECTED, wxEVT_LIST_ITEM_FOCUSED,
          wxEVT_LIST_COL_DRAGGING, wxEVT_LIST_COL_END_DRAG})
        link(this, type, &CListViewEx::OnSelectionChanged);
    if (m_headerWindow)
        link(m_headerWindow, wxEVT_PAINT, &CListViewEx::OnPaintHeader);
}

void CListViewEx::NotifyTextsChanged()
{
    if (m_rowsWindow)
        NotifyAccessibleTexts(m_rowsWindow);
}

int CListViewEx::GetAccessibleRowCount() const
{
    return GetItemCount();
}

int CListViewEx::GetAccessibleColumnCount() const
{
    return GetColumnCount();
}

// Readers get the whole text, not the one shortened for the column's width.
wxString CListViewEx::GetAccessibleCellText(int row, int column) const
{
    return GetItemText(row, column);
}

wxString CListViewEx::GetAccessibleHeaderText(int column) const
{
    const auto name = m_headerNames.find(column);
    return name != m_headerNames.end() ? name->second : GetColumnTitle(column);
}

void CListViewEx::SetAccessibleName(const wxString& name)
{
    ::SetAccessibleName(m_rowsWindow ? m_rowsWindow : this, name);
}

void CListViewEx::SetAccessibleHeaderName(int column, const wxString& name)
{
    m_headerNames[column] = name;
}

int CListViewEx::GetAccessibleSelectedRow() const
{
    return static_cast<int>(GetFirstSelected());
}

int CListViewEx::GetAccessibleFocusedRow() const
{
    return static_cast<int>(GetFocusedItem());
}

bool CListViewEx::HasAccessibleFocus() const
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == m_rowsWindow || focus == this);
}

void CListViewEx::SelectAccessibleRow(int row)
{
    m_rowsWindow->SetFocus();
    Select(row);
    Focus(row);
}

wxRect CListViewEx::GetAccessibleCellScreenRect(int row, int column) const
{
    wxRect rect;
    if (!GetSubItemRect(row < 0 ? 0 : row, column, rect, wxLIST_RECT_BOUNDS))
        return wxRect();
    if (row < 0) {
        // The header lies above the rows, at the top of the control.
        rect.y = 0;
        rect.height = m_rowsWindow->GetPosition().y;
        rect.SetPosition(ClientToScreen(rect.GetPosition()));
        return rect;
    }
    rect = ToRowsWindow(rect, row);
    rect.SetPosition(m_rowsWindow->ClientToScreen(rect.GetPosition()));
    return rect;
}

// The control gives a row's rectangle in its own coordinates, one pixel lower than the line it
// lays out, hit-tests and refreshes: it counts a border under the header that its rows window
// does not leave. A row drawn there would lose its last line to the next row's refresh. The
// rows window scrolls by whole lines, so the row's line follows from the top item instead.
wxRect CListViewEx::ToRowsWindow(wxRect rect, long item) const
{
    rect.x -= m_rowsWindow->GetPosition().x;
    rect.y = static_cast<int>(item - GetTopItem()) * rect.height;
    return rect;
}

wxRect CListViewEx::GetAccessibleVisibleScreenRect() const
{
    return m_rowsWindow->GetScreenRect();
}

bool CListViewEx::SetForegroundColour(const wxColour& colour)
{
    m_textColor = colour;
    return wxListView::SetForegroundColour(colour);
}

bool CListViewEx::SetBackgroundColour(const wxColour& colour)
{
    m_textBackColor = colour;
    m_backColor = colour;
    return wxListView::SetBackgroundColour(colour);
}

void CListViewEx::SetContextMenuOpen(bool open)
{
    m_contextMenuOpen = open;
    if (m_rowsWindow)
        m_rowsWindow->Refresh(false);
}

void CListViewEx::SetEditDialogOpen(bool open)
{
    m_editDialogOpen = open;
    if (m_rowsWindow)
        m_rowsWindow->Refresh(false);
}

bool CListViewEx::IsRowHighlighted(long item) const
{
    const long state = GetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_DROPHILITED);
    return (HasRowFocus() && (state & wxLIST_STATE_SELECTED)) || (state & wxLIST_STATE_DROPHILITED);
}

bool CListViewEx::HasRowFocus() const
{
    if (m_contextMenuOpen || m_editDialogOpen)
        return true;
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == m_rowsWindow || focus == this);
}

wxRect CListViewEx::GetRowBand(long item) const
{
    wxRect band;
    if (!GetItemRect(item, band, wxLIST_RECT_BOUNDS))
        return wxRect();
    band = ToRowsWindow(band, item);
    if (m_selectToClientWidth && band.GetRight() < m_clientWidth)
        band.SetRight(m_clientWidth);
    return band;
}

// The first column keeps a small margin for its label, the others a wider one.
wxString CListViewEx::FitCellText(wxDC& dc, const wxString& text, int width, int column,
                                  bool* shortened)
{
    return FitTextToWidth(
        text, width, column == 0 ? kLabelMargin : kSubItemMargin,
        [&dc](const wxString& t) { return dc.GetTextExtent(t).x; }, shortened);
}

wxString CListViewEx::GetShownText(long item, int column, bool* shortened) const
{
    wxClientDC dc(m_rowsWindow ? m_rowsWindow : const_cast<CListViewEx*>(this));
    dc.SetFont(GetFont());
    int width = GetColumnWidth(column);
    if (column == 0)
        width -= m_stateIconWidth;
    return FitCellText(dc, GetItemText(item, column), width, column, shortened);
}

wxString CListViewEx::GetShownHeader(int column, bool* shortened) const
{
    const wxWindow* header = m_headerWindow ? m_headerWindow : this;
    // As the control does it: a title may reach the column's right edge, as long as it is whole.
    return FitTextToWidth(
        GetColumnTitle(column), GetColumnWidth(column), kHeaderTextMargin,
        [header](const wxString& t) { return header->GetTextExtent(t).x; }, shortened);
}

int CListViewEx::GetHeaderFitWidth(const wxString& title) const
{
    const wxWindow* header = m_headerWindow ? m_headerWindow : this;
    // Room for both margins, so that the title is aligned as the column's texts are.
    return 2 * kHeaderTextMargin + header->GetTextExtent(title).x + 1;
}

wxString CListViewEx::GetColumnTitle(int column) const
{
    wxListItem info;
    info.SetMask(wxLIST_MASK_TEXT);
    return GetColumn(column, info) ? info.GetText() : wxString();
}

// As the control draws its header, but a title that does not fit is shortened with "..." so
// that the user sees it is cut, instead of being clipped at the column's edge.
void CListViewEx::OnPaintHeader(wxPaintEvent&)
{
    wxPaintDC dc(m_headerWindow);
    const int scrollX = GetListScrollX(*this);
    dc.SetDeviceOrigin(-scrollX, 0);
    dc.SetFont(m_headerWindow->GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(m_headerWindow->GetForegroundColour());
    const wxSize size = m_headerWindow->GetClientSize();
    const int right = size.x + scrollX;
    wxRendererNative& renderer = wxRendererNative::Get();
    int x = 0;
    for (int column = 0; column < GetColumnCount() && x < right; ++column) {
        const wxRect rect(x, 0, GetColumnWidth(column), size.y);
        int flags = IsEnabled() ? 0 : int(wxCONTROL_DISABLED);
        if (column == 0)
            flags |= wxCONTROL_SPECIAL; // the first column
        renderer.DrawHeaderButton(m_headerWindow, dc, rect, flags);
        wxListItem info;
        info.SetMask(wxLIST_MASK_FORMAT);
        GetColumn(column, info);
        const wxString shown = GetShownHeader(column);
        // Aligned only with room for both margins, else from the left margin on.
        const bool roomy = dc.GetTextExtent(shown).x + 2 * kHeaderTextMargin < rect.width;
        int alignment = wxALIGN_LEFT;
        if (roomy && info.GetAlign() == wxLIST_FORMAT_RIGHT)
            alignment = wxALIGN_RIGHT;
        else if (roomy && info.GetAlign() == wxLIST_FORMAT_CENTRE)
            alignment = wxALIGN_CENTRE_HORIZONTAL;
        wxDCClipper clip(dc, rect);
        wxRect text = rect;
        text.x += kHeaderTextMargin;
        text.width -= roomy ? 2 * kHeaderTextMargin : kHeaderTextMargin;
        dc.DrawLabel(shown, text, alignment | wxALIGN_CENTRE_VERTICAL);
        x += rect.width;
    }
    if (x < right)
        renderer.DrawHeaderButton(m_headerWindow, dc, wxRect(x, 0, right - x, size.y),
                                  wxCONTROL_DIRTY); // the empty space after the last column
}

void CListViewEx::DrawCellText(wxDC& dc, const wxString& text, const wxRect& rect, int column,
                               int format)
{
    bool shortened = false;
    const wxString shown = FitCellText(dc, text, rect.width, column, &shortened);
    int alignment = wxALIGN_LEFT;
    if (!shortened && format == wxLIST_FORMAT_RIGHT)
        alignment = wxALIGN_RIGHT;
    else if (!shortened && format == wxLIST_FORMAT_CENTRE)
        alignment = wxALIGN_CENTRE_HORIZONTAL;
    wxRect inner = rect;
    inner.Deflate(column == 0 ? 2 : 6, 0);
    dc.DrawLabel(shown, inner, alignment | wxALIGN_CENTRE_VERTICAL);
}

void CListViewEx::DrawRow(wxDC& dc, long item)
{
    const bool focus = HasRowFocus();
    const bool selected = IsRowHighlighted(item);
    const wxRect band = GetRowBand(item);
    if (band.IsEmpty())
        return;

    const wxColour fill = selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)
                                   : m_textBackColor;
    dc.SetBrush(wxBrush(fill));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(band);
    dc.SetTextForeground(selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)
                                  : m_textColor);

    // The first column's label is always drawn left-aligned.
    wxRect cell(band.x, band.y, GetColumnWidth(0) - m_stateIconWidth, band.height);
    DrawCellText(dc, GetItemText(item, 0), cell, 0, wxLIST_FORMAT_LEFT);
    cell.x += GetColumnWidth(0);
    for (int column = 1; column < GetColumnCount(); ++column) {
        wxListItem info;
        info.SetMask(wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH);
        if (!GetColumn(column, info))
            break;
        cell.width = GetColumnWidth(column);
        const wxString text = GetItemText(item, column);
        if (!text.empty())
            DrawCellText(dc, text, cell, column, info.GetAlign());
        cell.x += cell.width;
    }

    if (GetItemState(item, wxLIST_STATE_FOCUSED) && focus)
        wxRendererNative::Get().DrawFocusRect(m_rowsWindow, dc, band);
}

void CListViewEx::OnPaintRows(wxPaintEvent&)
{
    wxPaintDC dc(m_rowsWindow);
    dc.SetFont(GetFont());
    const wxRect update = m_rowsWindow->GetUpdateRegion().GetBox();
    dc.SetBrush(wxBrush(m_textBackColor));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(update);
    const long count = GetItemCount();
    for (long item = 0; item < count; ++item) {
        if (GetRowBand(item).Intersects(update))
            DrawRow(dc, item);
    }
}

void CListViewEx::OnEraseRows(wxEraseEvent&)
{
    // OnPaintRows fills the whole damaged area itself; erasing first would only flicker.
}

void CListViewEx::OnRowsSize(wxSizeEvent& event)
{
    m_clientWidth = m_rowsWindow->GetClientSize().x;
    m_rowsWindow->Refresh(false);
    NotifyAccessibleSelection(m_rowsWindow);
    event.Skip();
}

// The highlight depends on the focus, so every selected row is redrawn when it moves.
void CListViewEx::OnRowsFocus(wxFocusEvent& event)
{
    event.Skip();
    if (event.GetWindow() && event.GetWindow()->GetParent() == this)
        return;
    if (m_fullRowSelect)
        m_rowsWindow->Refresh(false);
    NotifyAccessibleFocus(m_rowsWindow);
}

void CListViewEx::OnSelectionChanged(wxListEvent& event)
{
    // The control refreshes only the columns; the band reaches the window's right edge.
    m_rowsWindow->Refresh(false);
    NotifyAccessibleSelection(m_rowsWindow);
    event.Skip();
}
