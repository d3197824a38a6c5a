#include "engine/frequency_band.h"

#include "engine/setting_table.h"

namespace {

// !!! Channel grids: offsets in hertz inside one 100 kHz step, ascending, in the order of
// EChannelGrid. !!!
const uint32_t kGrid0[] = {0, 25000, 50000, 75000, 100000};
const uint32_t kGrid1[] = {5000,  10000, 15000, 30000, 35000, 40000,
                           55000, 60000, 65000, 80000, 85000, 90000};
const uint32_t kGrid2[] = {0,     5000,  10000, 15000, 25000, 30000, 35000, 40000, 50000,
                           55000, 60000, 65000, 75000, 80000, 85000, 90000, 100000};

struct CGridTable {
    const uint32_t* offsets;
    int count;
};

const CGridTable kGrids[] = {
    {kGrid0, sizeof kGrid0 / sizeof kGrid0[0]},
    {kGrid1, sizeof kGrid1 / sizeof kGrid1[0]},
    {kGrid2, sizeof kGrid2 / sizeof kGrid2[0]},
};

const uint32_t kStep = 100000;

} // namespace

void CFrequencyBand::Reset()
{
    m_range.Clear();
    m_range.Add(static_cast<int32_t>(kLowest), static_cast<int32_t>(kHighest));
}

bool CFrequencyBand::Contains(int64_t hertz) const
{
    if (hertz < INT32_MIN || hertz > INT32_MAX) {
        return false;
    }
    return m_range.Contains(static_cast<int32_t>(hertz));
}

EChannelGrid CFrequencyBand::GetGrid() const
{
    if (m_settings == nullptr) {
        return EChannelGrid::k25kHz;
    }
    return GridOfSpacing(m_settings->Execute(std::string("COMMON.CH_SPACING")));
}

EChannelGrid CFrequencyBand::GridOfSpacing(const std::string& spacing)
{
    if (spacing == "25kHz") {
        return EChannelGrid::k25kHz;
    }
    if (spacing == "8.33kHz") {
        return EChannelGrid::k833kHz;
    }
    return EChannelGrid::kBoth;
}

uint32_t CFrequencyBand::Snap(uint32_t hertz) const
{
    return hertz == 0 ? 0 : Snap(hertz, GetGrid());
}

uint32_t CFrequencyBand::Snap(uint32_t hertz, EChannelGrid grid) const
{
    if (hertz == 0) {
        return 0;
    }
    size_t index = static_cast<size_t>(grid);
    if (index >= sizeof kGrids / sizeof kGrids[0]) {
        index = static_cast<size_t>(EChannelGrid::kBoth);
    }
    const CGridTable& table = kGrids[index];
    const uint32_t remainder = hertz % kStep;
    const uint32_t base = hertz - remainder;
    const int last = table.count - 1;

    int chosen = 0;
    if (remainder <= table.offsets[0]) {
        chosen = 0;
    } else if (remainder >= table.offsets[last]) {
        chosen = last;
    } else {
        int above = 1;
        while (table.offsets[above] < remainder) {
            ++above;
        }
        const int below = table.offsets[above] == remainder ? above : above - 1;
        chosen = (table.offsets[above] - remainder < remainder - table.offsets[below]) ? above
                                                                                       : below;
    }

    // Stay inside the band when the grid has a point on the inner side.
    const uint64_t result = static_cast<uint64_t>(base) + table.offsets[chosen];
    if (table.offsets[chosen] > remainder && result > kHighest && chosen > 0) {
        --chosen;
    } else if (table.offsets[chosen] <= remainder && result < kLowest && chosen < last) {
        ++chosen;
    }
    return base + table.offsets[chosen];
}

uint32_t CFrequencyBand::ClampAndSnap(uint32_t hertz) const
{
    return ClampAndSnap(hertz, GetGrid());
}

uint32_t CFrequencyBand::ClampAndSnap(uint32_t hertz, EChannelGrid grid) const
{
    if (hertz > 0) {
        if (hertz < kLowest) {
            hertz = kLowest;
        } else if (hertz > kHighest) {
            hertz = kHighest;
        }
    }
    return Snap(hertz, grid);
}
