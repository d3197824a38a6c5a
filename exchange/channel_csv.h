#pragma once

#include <string>
#include <vector>

class CR455Radio;

// The 20 memory channels as CSV text: a header row, then one row per channel with its number,
// frequency in MHz, name, Tx inhibit and lockout ("ON"/"OFF"). A blank channel has empty
// fields after its number. Rows end with CR LF; fields that need it are quoted. A name that a
// spreadsheet would take for a number or a formula is written as the formula ="NAME", which
// keeps it as text there.
//
// !!! The header row and the column order are a file format: files exchanged with other
// programs and earlier exports depend on them. !!!
extern const char kChannelCsvHeader[];

std::string ExportChannelsCsv(const CR455Radio& radio);

// Reads channel rows and sets each listed channel through the engine's channel commands, so
// the engine's rules apply (band, channel grid, name filtering), then heals. Names are spelled
// with the display's letters first, as SetChName does ("Ørsta" becomes ORSTA). Channels that no
// row lists keep their data. Takes the text as spreadsheets save it: UTF-8 with or without a
// byte order mark, UTF-16 with one; fields separated by ',', ';' or tabs (whichever the header
// row uses), quoted or not (with "" for a quote, line ends inside quotes); CR LF, LF or CR line
// ends; frequencies with a decimal point or comma; names as written by export (="007").
// Blank lines are skipped. Empty Tx Inhibit or Lockout fields mean "OFF" on a channel in use
// and leave a blank channel's flags as they are.
//
// The whole text is checked before anything is set: a bad row stops the import, changes
// nothing and returns false with a message naming the line and the field in `error`. So does a
// NUL byte in any field, a character in a name that is neither ASCII nor a letter with a
// spelling in the display's letters (an emoji), and a row that blanks channel 1. A file that is not
// CSV text this reader takes (UTF-16 without byte order mark, UTF-32, a spreadsheet document) is
// refused with the reason. `notes`, when given, receives Edit Memory's note for each name that the
// display's letters spelled otherwise than the row wrote it ("Ørsta" stored as "ORSTA") or that
// was cut to the display's 7 characters.
bool ImportChannelsCsv(CR455Radio& radio, const std::string& bytes, std::string* error,
                       std::vector<std::string>* notes = nullptr);

// Channel `ch` as one tab-separated row with the CSV columns, ending in a line feed: what a
// spreadsheet takes from the clipboard as one row of cells (a name as export writes it).
std::string ChannelRowTsv(const CR455Radio& radio, unsigned ch);

// Rows as a spreadsheet copies them (tab-separated; otherwise separated as a CSV file's
// header row would have it), with the CSV columns, set into channel `first` and those after it
// in the order given: the Channel column is not read, and a header row at the start is
// skipped. The rows are checked as ImportChannelsCsv checks them; a bad row, or more rows than
// channels from `first` to 20, changes nothing and returns false with a message naming the
// line and the field. `count` receives the number of rows set (0 for a text with none),
// `notes` the notes of spelled or cut names as ImportChannelsCsv gives them.
bool PasteChannelRows(CR455Radio& radio, unsigned first, const std::string& text, unsigned* count,
                      std::string* error, std::vector<std::string>* notes = nullptr);
