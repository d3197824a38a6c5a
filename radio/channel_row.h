#pragma once

#include <array>
#include <string>

#include "res/string_table.h"

class CR455Radio;

// The texts of one row of the channel list, as the desktop list and pwr455-cli show them.
inline constexpr unsigned kChannelRowCells = 7;
// A cell holds at most this many characters; longer texts are cut.
inline constexpr size_t kChannelCellMaxLength = 31;

// The seven cells of channel `ch`'s row (number, priority mark, frequency, name, Tx inhibit,
// lockout, spare), built from the radio's answers, each trimmed of white space on both sides.
// A blank channel (APPEAR "OFF") shows its number only, even when it is the priority channel.
// A channel outside 1..20 gives seven empty cells. The marks are the texts `load` gives: the
// reader's language by default, English for what programs read.
std::array<std::string, kChannelRowCells> BuildChannelRow(const CR455Radio& radio, unsigned ch,
                                                          std::string (*load)(unsigned) = LoadResString);
