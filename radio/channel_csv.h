#pragma once

#include <string>

class CR455Radio;

// The 20 memory channels as CSV text: a header row, then one row per channel with its number,
// frequency in MHz, name, Tx inhibit and lockout ("ON"/"OFF"). A blank channel has empty
// fields after its number. Rows end with CR LF; fields that need it are quoted.
//
// !!! The header row and the column order are a file format: files exchanged with other
// programs and earlier exports depend on them. !!!
extern const char kChannelCsvHeader[];

std::string ExportChannelsCsv(CR455Radio& radio);

// Reads channel rows and sets each listed channel through the engine's channel commands, so
// the engine's rules apply (band, channel grid, name filtering), then heals. Channels that no
// row lists keep their data. Accepts quoted fields (with "" for a quote, line ends inside
// quotes), CR LF or LF line ends and a UTF-8 byte order mark; blank lines are skipped.
// Empty Tx Inhibit or Lockout fields mean "OFF" on a channel in use and leave a blank
// channel's flags as they are.
//
// The whole text is checked before anything is set: a bad row stops the import, changes
// nothing and returns false with a message naming the line and the field in `error`.
bool ImportChannelsCsv(CR455Radio& radio, const std::string& text, std::string* error);

// Channel `ch` as one tab-separated row with the CSV columns, ending in a line feed: what a
// spreadsheet takes from the clipboard as one row of cells.
std::string ChannelRowTsv(CR455Radio& radio, unsigned ch);

// Rows as a spreadsheet copies them (tab-separated; comma-separated when the text holds no
// tab), with the CSV columns, set into channel `first` and those after it in the order given:
// the Channel column is not read, and a header row at the start is skipped. The rows are
// checked as ImportChannelsCsv checks them, and a blank row cannot go to a channel that must
// stay in use; a bad row, or more rows than channels from `first` to 20, changes nothing and
// returns false with a message naming the line and the field. `count` receives the number of
// rows set (0 for a text with none).
bool PasteChannelRows(CR455Radio& radio, unsigned first, const std::string& text,
                      unsigned* count, std::string* error);
