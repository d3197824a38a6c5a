#pragma once

#include <string>

class CCommandString;

// How the value part of a command is written. ByMenuItemName is accepted and behaves exactly
// as ByString everywhere.
enum AccessMode {
    kByString = 0,
    kByNumber = 1,
    kByMenuItemName = 2,
};

// Reads a leading access word from a value part of the form WORD=VALUE, =VALUE or empty. A known
// word is removed (the text becomes "=" and what followed the first '='); an unknown word is left
// in place and gives ByString, so that the value after the first '=' is read as usual.
AccessMode ParseAccessMode(CCommandString& command);

// The value part of a command read apart by ParseAccessMode: the access mode and the value after
// the first '=' (empty for a query).
struct CValueCommand {
    AccessMode mode = kByString;
    std::string value;
};
CValueCommand ParseValueCommand(const std::string& text);
