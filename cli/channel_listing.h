#pragma once

#include <array>
#include <string>

class CR455Radio;

// The seven cells of one row of the channel list (number, priority mark, frequency, name,
// Tx inhibit, lockout, spare), built from the radio's answers as the list builds them. A blank
// channel shows its number only.
std::array<std::string, 7> BuildChannelRow(CR455Radio& radio, unsigned ch);

// The channel list as text: a header line and one line per channel, in aligned columns.
std::string FormatChannelList(CR455Radio& radio);
