#pragma once

#include <string>

class CR455Radio;

// Reordering the 20 memory channels: moving one channel past its neighbour and sorting them.
// Channels travel whole (frequency, name, Tx inhibit, lockout) through the engine's channel
// commands, and the engine's rule for blank channels holds: a channel that cannot be cleared
// (channel 1) cannot receive a blank one either. The priority channel (COMMON.PRIOCH) follows
// its channel. A refused reorder changes nothing.

enum class EChannelSortKey { kFrequency, kName };
enum class ESortOutcome { kSorted, kAlreadyInOrder, kRefused };

// "CH 05" for channel 5: how messages and undo steps name a channel.
std::string ChannelLabel(unsigned ch);

// Whether channel `ch` can swap places with the channel above it (`up`) or below it; when
// not, and `reason` is given, it receives the status text that says why.
bool CanMoveChannel(CR455Radio& radio, unsigned ch, bool up, std::string* reason = nullptr);

// Swaps channel `ch` with its neighbour above or below. Returns the channel's new number, or
// 0 when the move is refused; `message` receives the status text in both cases.
unsigned MoveChannel(CR455Radio& radio, unsigned ch, bool up, std::string* message = nullptr);

// Puts the channels in use in order from channel 1 (by frequency, or by name with unnamed
// channels after the named ones; equal keys keep their order) and the blank channels after
// them. Says whether anything moved, or nothing needed to, or the engine's rule forbade it;
// `message` receives the status text.
ESortOutcome SortChannels(CR455Radio& radio, EChannelSortKey key, std::string* message = nullptr);
