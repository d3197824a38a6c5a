#pragma once

#include <string>
#include <vector>

// The rows come from BuildChannelRow, the same row builder the desktop list uses.
#include "radio/channel_row.h"

class CR455Radio;

// The channel list as text: a header line and one line per channel, in aligned columns.
std::string FormatChannelList(const CR455Radio& radio);

// Rows of cells as text in aligned columns, two blanks apart, each line without trailing blanks;
// control characters become blanks (PrintableText).
std::string FormatColumns(std::vector<std::vector<std::string>> rows);
