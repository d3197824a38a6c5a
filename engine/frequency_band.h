#pragma once

#include <cstdint>
#include <string>

#include "engine/range_list.h"

class CSettingTable;

// The channel grids that COMMON.CH_SPACING selects.
enum class EChannelGrid {
    k25kHz = 0,
    k833kHz = 1,
    kBoth = 2,
};

// The permitted band of the transceiver and its channel grids. The grid follows the setting
// COMMON.CH_SPACING every time a frequency is snapped. Frequencies in hertz; 0 means none.
class CFrequencyBand {
public:
    // !!! Band limits of the transceiver, in hertz. !!!
    static constexpr uint32_t kLowest = 118000000;
    static constexpr uint32_t kHighest = 136980000;

    CFrequencyBand() = default;
    virtual ~CFrequencyBand() = default;

    CFrequencyBand(const CFrequencyBand&) = delete;
    CFrequencyBand& operator=(const CFrequencyBand&) = delete;

    // The setting table (not owned) whose CH_SPACING selects the grid.
    void SetSettingTable(CSettingTable* settings) { m_settings = settings; }
    // The band becomes the single range 118.000 to 136.980 MHz.
    void Reset();
    bool Contains(int64_t hertz) const;

    // 25 kHz for "25kHz", 8.33 kHz for "8.33kHz", both for anything else.
    EChannelGrid GetGrid() const;
    // The grid that a COMMON.CH_SPACING answer selects, by the rule of GetGrid.
    static EChannelGrid GridOfSpacing(const std::string& spacing);
    // Nearest point of the current grid (the lower one on a tie), kept inside the band where the
    // grid allows. 0 stays 0.
    uint32_t Snap(uint32_t hertz) const;
    uint32_t Snap(uint32_t hertz, EChannelGrid grid) const;
    // Limits a frequency above 0 to the band, then snaps it (to the current grid, or to `grid`).
    uint32_t ClampAndSnap(uint32_t hertz) const;
    uint32_t ClampAndSnap(uint32_t hertz, EChannelGrid grid) const;

private:
    CSettingTable* m_settings = nullptr;
    CRangeList m_range;
};
