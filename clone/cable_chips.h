#pragma once

// The USB serial chips that cloning cables are made with, as every front end names them.

#include <cstdint>
#include <string>
#include <vector>

struct CCableChip {
    const char* vendor; // USB ids, 4 lower-case hex digits each
    const char* product;
    const char* name;
    bool braille; // brltty's rules take it for a Braille display's
};

// The chips, each pair of ids once, grouped by name.
const std::vector<CCableChip>& CableChipList();

// The chip of a cable with these USB ids ("FTDI", "PL2303", ...): its family by the vendor where
// the product is not in the list; "" for a vendor no cable chip comes from.
std::string CableChipName(uint16_t vendor, uint16_t product);
