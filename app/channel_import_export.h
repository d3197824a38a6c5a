#pragma once

// File > Import Channels... and Export Channels...: the 20 memory channels to and from CSV
// files, in the format of pwr455-cli export and import.

#include <wx/string.h>

class wxFrame;
class wxWindow;
class CPWR455Doc;

// Binds both menu commands on the main frame. They work on the program's document.
void BindChannelImportExport(wxFrame* frame);

// The layouts Export Channels offers, in the order of its file types.
enum class EChannelCsvLayout { kOwn, kChirp };

// Sets the channels listed in the CSV file `path` on the document's data. The whole file is
// checked first: a file that cannot be read or holds a bad row changes nothing and is
// reported in a message box (naming the line and the field). A file in CHIRP's layout opens
// the dialog that shows its rows and where they go, and a message box sums up what became of
// them. After an import the document is modified and its views are updated. Returns true
// when the channels were imported.
bool ImportChannelsFromFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent);

// Writes the document's channels to `path` in `layout` (replacing it as a whole or not at all);
// a failure is reported in a message box. Returns true when the file was written.
bool ExportChannelsToFile(CPWR455Doc& doc, const wxString& path, wxWindow* parent,
                          EChannelCsvLayout layout = EChannelCsvLayout::kOwn);
