#pragma once

// Channels brought in from a CSV file or from the clipboard as every front end runs it: each
// command is one undoable step whose texts (a failure's message box, the status bar, a summary
// box) the front end shows as given.

#include <cstddef>
#include <string>

class CR455Radio;
class CUndoHistory;
struct CAirportImportPlan;
struct CChirpImportPlan;

struct CExchangeOutcome {
    bool changed = false; // the data set changed: the list is drawn anew
    std::string failure;  // a warning to show; nothing changed
    std::string status;   // the status bar's new text; empty: it stays
    std::string summary;  // a message box to show after the change
};

// Twenty rows take a few hundred bytes; a clipboard far larger holds no channel list.
constexpr size_t kMaxClipboardText = 1u << 20;

// Edit > Paste Rows at channel `first` with the clipboard's `text` (nullptr when it holds no
// text): rows copied from a spreadsheet set into `first` and the channels after it.
CExchangeOutcome PasteRowsStep(CR455Radio& radio, CUndoHistory& history, unsigned first,
                               const std::string* text);

// What File > Import Channels... does with the file at `path` (as named to the user) whose
// bytes could not be read: `tooLarge` for one over kMaxCsvFileSize, else the system's `reason`.
std::string DescribeCsvReadFailure(const std::string& path, bool tooLarge,
                                   const std::string& reason);

// Imports a file in the project's own CSV layout (not IsChirpCsv) as one step.
CExchangeOutcome ImportChannelsStep(CR455Radio& radio, CUndoHistory& history,
                                    const std::string& path, const std::string& text);

// Whether a file in CHIRP's layout can be offered in the import dialog at all: "" when it can,
// else the message to show.
std::string CheckChirpImport(const CR455Radio& radio, const std::string& path,
                             const std::string& text);

// Applies the dialog's plan as one step; the summary says what became of every row.
CExchangeOutcome ApplyChirpImportStep(CR455Radio& radio, CUndoHistory& history,
                                      const std::string& path, const CChirpImportPlan& plan);

// Import Airport Frequencies: the dialog's plan as one step; the summary names the frequencies
// that did not fit.
CExchangeOutcome ImportAirportsStep(CR455Radio& radio, CUndoHistory& history,
                                    const CAirportImportPlan& plan);

// The message when the channels could not be written to `path`.
std::string DescribeExportFailure(const std::string& path, const std::string& reason);
