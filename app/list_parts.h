#pragma once

// The parts of the toolkit's report list that the program draws itself. The generic list (GTK)
// shows its header and its rows in child windows of its own and scrolls them; Windows' native
// list view has neither and draws itself.

class wxListView;
class wxWindow;

// The child windows that show the rows and the header; null where the list is native.
wxWindow* GetListRowsWindow(wxListView& list);
wxWindow* GetListHeaderWindow(wxListView& list);

// How far the rows, and with them the header, are scrolled to the left, in pixels.
int GetListScrollX(const wxListView& list);
