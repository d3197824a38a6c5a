#pragma once

#include <cstddef>
#include <string>

// Texts that people type or bring for the transceiver's display (channel names, the opening
// text) spelled with the letters it has, as ICAO writes Nordic and other European names:
// Æ→AE, Ø→O, Å→A, Ä→A, Ö→O, Ü→U, É→E, È→E, Ç→C, ß→SS, Þ→TH, Œ→OE and the other accented
// Latin letters without their accents. Lower case stays lower case. A combining accent (as
// some systems write Å: A followed by a ring) is dropped. Any other character beyond ASCII
// becomes one blank, and so does each byte that is no UTF-8 text; ASCII is left as it is, for
// the engine's own filter. The result is ASCII, so a cut to the display's length counts letters.
std::string SpelledForDisplay(const std::string& text);

// True when the well-formed UTF-8 character beyond ASCII that starts at `i` is a letter or
// accent SpelledForDisplay spells (and so does not turn into a blank).
bool HasDisplaySpelling(const std::string& text, size_t i);
