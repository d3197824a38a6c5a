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
