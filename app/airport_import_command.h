#pragma once

// File > Import Airport Frequencies...: fills memory channels of the program's document from
// an airport frequency list, through the Import Airport Frequencies dialog.

class wxFrame;
class wxWindow;
class CPWR455Doc;
struct CAirportImportPlan;

// Binds the menu command on the main frame.
void BindAirportImport(wxFrame* frame);

// Runs the dialog on `doc`, starting at channel `from`, and applies the import on OK. Returns
// true when channels were filled.
bool RunAirportImport(CPWR455Doc& doc, unsigned from, wxWindow* parent);

// Applies a whole import to the document as one undoable step ("Import Airport Frequencies"):
// the channels, the modified flag, the views, and a message naming what did not fit. Every
// change an import makes goes through here.
void ApplyAirportPlan(CPWR455Doc& doc, const CAirportImportPlan& plan, wxWindow* parent);
