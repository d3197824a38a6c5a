#pragma once

// File > Print..., Print Preview... and Export Kneeboard Card...: the kneeboard card of the
// program's document. The paper starts as A5; the print dialog offers A4, Letter and any
// other, and the choice holds for the rest of the session, the exported PDF's paper included.

#include <wx/string.h>

#include "exchange/kneeboard_card.h"

class wxFrame;
class wxWindow;
class CPWR455Doc;

// Binds the three menu commands on the main frame.
void BindCardPrinting(wxFrame* frame);

// The card of `doc`: its file name (or its title while it has none) and today's date.
CCardData BuildDocumentCard(CPWR455Doc& doc);

// Writes the card of `doc` as PDF to `path` (replacing it as a whole or not at all) and says
// where in the status bar; a failure is reported in a message box with its reason. Returns
// true when the file was written.
bool ExportCardToFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent);
