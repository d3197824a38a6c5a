#include "clone/cable_chips.h"

#include <cstdio>

const std::vector<CCableChip>& CableChipList()
{
    static const std::vector<CCableChip> chips = {
        {"0403", "6001", "FTDI", false}, // FT232R
        {"0403", "6010", "FTDI", false}, // FT2232
        {"0403", "6011", "FTDI", false}, // FT4232
        {"0403", "6014", "FTDI", false}, // FT232H
        {"0403", "6015", "FTDI", false}, // FT-X
        {"067b", "2303", "PL2303", false},
        {"067b", "23a3", "PL2303", false}, // the G series: GC, GB, GT, GL, GE, GS
        {"067b", "23b3", "PL2303", false},
        {"067b", "23c3", "PL2303", false},
        {"067b", "23d3", "PL2303", false},
        {"067b", "23e3", "PL2303", false},
        {"067b", "23f3", "PL2303", false},
        {"1a86", "7523", "CH340/CH341", true},
        {"1a86", "7522", "CH340/CH341", false},
        {"1a86", "5523", "CH340/CH341", false},
        {"1a86", "55d4", "CH9102", false},
        {"10c4", "ea60", "CP210x", true},
        {"10c4", "ea70", "CP210x", false},
        {"10c4", "ea71", "CP210x", false},
    };
    return chips;
}

namespace {

std::string Hex4(uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id);
    return text;
}

} // namespace

std::string CableChipName(uint16_t vendor, uint16_t product)
{
    const std::string v = Hex4(vendor);
    const std::string p = Hex4(product);
    const CCableChip* family = nullptr;
    for (const CCableChip& chip : CableChipList()) {
        if (v != chip.vendor)
            continue;
        if (p == chip.product)
            return chip.name;
        if (!family)
            family = &chip;
    }
    return family ? family->name : "";
}
