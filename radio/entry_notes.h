#pragma once

#include <string>
#include <vector>

class CR455Radio;

// What the user typed for one memory channel: a frequency text and a name, each only when it
// was given.
struct CChannelEntry {
    unsigned channel = 0;
    bool hasFrequency = false;
    std::string frequency;
    bool hasName = false;
    std::string name;
};

// Compares what was typed with what the engine holds for the channel now (after its heal) and
// returns one note for each difference the engine made, in words: a frequency outside the air
// band and where it went, a frequency moved to the nearest channel of the grid, a text that is
// not a frequency, a name spelled with the display's letters ("Ørsta" as ORSTA), cut to 7
// characters, raised to upper case or stripped of characters the transceiver cannot show. Nothing
// is noted where the engine stored what was typed. `undoHint` adds the way back to the note of a
// channel that became blank.
std::vector<std::string> ExplainChannelEntry(const CR455Radio& radio, const CChannelEntry& entry,
                                             bool undoHint = false);

// True when the program itself, not the engine, changes `typed` as a channel name: it spells it
// with the display's letters, or cuts it to the display's 7 characters.
bool IsNameSpelledOrCut(const std::string& typed);

// The note for an opening text stored otherwise than `typed` (spelled with the display's
// letters, cut to 7 characters); "" when `stored` is what was typed.
std::string OpeningTextNote(const std::string& typed, const std::string& stored);

// Notes as one status-bar text: two blanks between them, "" for none.
std::string JoinNotes(const std::vector<std::string>& notes);

// Records in `entries` what `command` types, when it sets the FREQUENCY or NAME of a memory
// channel ("CH.MCH.3.FREQUENCY=121.51"); a later command for the same channel replaces the
// earlier one's text. Other commands are ignored.
void CollectChannelEntry(const std::string& command, std::vector<CChannelEntry>& entries);
