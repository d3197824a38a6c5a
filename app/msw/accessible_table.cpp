#include "app/accessible_table.h"

// The list is Windows' own list view control here, which presents its rows, cells, headers and
// selection to screen readers itself: no list asks for a table of its own.

void AttachAccessibleTable(wxWindow*, CAccessibleTableSource*) {}

void DetachAccessibleTable(wxWindow*) {}

void NotifyAccessibleSelection(wxWindow*) {}

void NotifyAccessibleFocus(wxWindow*) {}

void NotifyAccessibleTexts(wxWindow*) {}
