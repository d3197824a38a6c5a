#pragma once

#include <string>
#include <vector>

class CR455Radio;

// The settings and channel fields in which two data sets differ, as `pwr455-cli diff`,
// `pwr455-cli compare` and the desktop program's Compare with Transceiver list them.
struct CDataDifference {
    std::string key;   // the engine query, e.g. "COMMON.BEEP" or "CH.MCH.3.FREQUENCY"
    std::string left;  // its answer in the first data set
    std::string right; // its answer in the second
};

// Every setting (in the order of the setting table), then every field of channels 1 to 20,
// whose answer differs. Only queries are sent: neither data set changes.
std::vector<CDataDifference> ListDifferences(const CR455Radio& left, const CR455Radio& right);

// A value in double quotes, with bytes outside printable ASCII, the quote and the backslash
// escaped, so that blanks and unset bytes are visible.
std::string QuoteValue(const std::string& value);

// One difference as a line of text (without line end): KEY: "left" -> "right".
std::string FormatDifference(const CDataDifference& difference);

// The difference in words, as the desktop program shows it: the setting's label or the channel
// and field ("CH 02 Name"), and each value as the user knows it ("On", "blank" for the frequency
// of a channel not in use, "(blank)" for an empty text).
CDataDifference DescribeDifference(const CDataDifference& difference);

// The line above the list of Compare with Transceiver: that nothing differs, or how many fields do.
std::string DescribeDifferenceCount(size_t count);
