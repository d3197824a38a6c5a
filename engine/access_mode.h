#pragma once

#include <string>

// How the value part of a command is written. ByMenuItemName is accepted and behaves exactly
// as ByString everywhere.
enum AccessMode {
    kByString = 0,
    kByNumber = 1,
    kByMenuItemName = 2,
};

// The value part of a command (ACCESS=VALUE, =VALUE or empty) read apart: the access mode of a
// leading access word, and the value after the first '=' (empty for a query). An unknown word
// gives ByString, so that the value after the first '=' is read as usual.
struct CValueCommand {
    AccessMode mode = kByString;
    std::string value;
};
CValueCommand ParseValueCommand(const std::string& text);
