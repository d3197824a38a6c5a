#pragma once

// File > Print... and Print Preview...: the kneeboard card of the program's document. The
// paper starts as A5; the print dialog offers A4, Letter and any other, and the choice holds
// for the rest of the session.

#include "radio/kneeboard_card.h"

class wxFrame;
class CPWR455Doc;

// Binds both menu commands on the main frame.
void BindCardPrinting(wxFrame* frame);

// The card of `doc`: its file name (or its title while it has none) and today's date.
CCardData BuildDocumentCard(CPWR455Doc& doc);
