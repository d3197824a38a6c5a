#include "radio/air_channel.h"

#include <cmath>
#include <cstdio>

#include "engine/decimal_number.h"
#include "engine/frequency_band.h"
#include "engine/frequency_value.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

constexpr uint32_t kStep25 = 25000;
constexpr uint32_t kStep833Name = 5000;
// How far a listed carrier may lie from the true one: lists write 8.33 kHz carriers with four
// decimals, 50 Hz at most from the exact value.
constexpr uint32_t kCarrierTolerance = 100;
// Numbers the transceiver cannot take as a frequency start here (the Edit Memory rule).
constexpr uint32_t kFrequencyCeilingHz = 2000000000;
// Listed frequencies must stay below this, so that hertz fit in 32 bits.
constexpr unsigned long kListCeilingMHz = 4000;

// The band with its limits; an explicit grid needs no setting table.
struct CAirBand : CFrequencyBand {
    CAirBand() { Reset(); }
};

const CFrequencyBand& Band()
{
    static const CAirBand band;
    return band;
}

uint32_t Distance(uint32_t a, uint32_t b)
{
    return a > b ? a - b : b - a;
}

} // namespace

EChannelKind GetChannelKind(uint32_t channelHz)
{
    if (channelHz == 0)
        return EChannelKind::kNone;
    if (channelHz % kStep833Name != 0)
        return EChannelKind::kOffGrid;
    switch (channelHz % kStep25) {
    case 0:
        return EChannelKind::k25kHz;
    case 5000:
    case 10000:
    case 15000:
        return EChannelKind::k833kHz;
    default:
        return EChannelKind::kOffGrid;
    }
}

uint32_t GetCarrier(uint32_t channelHz)
{
    switch (GetChannelKind(channelHz)) {
    case EChannelKind::k25kHz:
        return channelHz;
    case EChannelKind::k833kHz: {
        const uint32_t offset = channelHz % kStep25;
        const uint32_t third = offset / kStep833Name - 1; // 0, 1 or 2 thirds of the step
        return channelHz - offset + (third * kStep25 + 1) / 3;
    }
    default:
        return 0;
    }
}

uint32_t ChannelOfCarrier(uint32_t carrierHz)
{
    const uint32_t base = carrierHz - carrierHz % kStep25;
    // The three 8.33 kHz carriers of the step and the first of the next, by their names.
    const uint32_t names[] = {base, base + 10000, base + 15000, base + kStep25};
    for (uint32_t name : names) {
        if (name != 0 && Distance(GetCarrier(name), carrierHz) <= kCarrierTolerance)
            return name;
    }
    return 0;
}

std::string FormatChannelMHz(uint32_t hertz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u", hertz / 1000000, hertz % 1000000 / 1000);
    return text;
}

std::string FormatCarrierMHz(uint32_t carrierHz)
{
    const uint32_t hundreds = (carrierHz + 50) / 100; // units of 100 Hz, rounded
    char text[32];
    std::snprintf(text, sizeof text, "%u.%04u", hundreds / 10000, hundreds % 10000);
    return text;
}

bool ParseListedFrequency(const std::string& text, uint32_t* channelHz)
{
    const std::string value = Trim(text);
    const size_t point = value.find('.');
    const std::string whole = value.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : value.substr(point + 1);
    auto digitsOnly = [](const std::string& s) {
        return s.find_first_not_of("0123456789") == std::string::npos;
    };
    // Whole hertz below 4000 MHz: more cannot be a frequency of any list.
    if (whole.empty() || whole.size() > 4 || decimals.size() > 6 || !digitsOnly(whole) ||
        !digitsOnly(decimals) || (point != std::string::npos && decimals.empty()) ||
        std::stoul(whole) >= kListCeilingMHz)
        return false;
    uint32_t hertz = static_cast<uint32_t>(std::stoul(whole)) * 1000000;
    uint32_t scale = 100000;
    for (char c : decimals) {
        hertz += static_cast<uint32_t>(c - '0') * scale;
        scale /= 10;
    }
    if (decimals.size() == 2 && (decimals[1] == '2' || decimals[1] == '7'))
        hertz += 5000;
    if (decimals.size() >= 4 && hertz % kStep833Name != 0) {
        if (uint32_t name = ChannelOfCarrier(hertz))
            hertz = name;
    }
    *channelHz = hertz;
    return true;
}

EChannelGrid GetChannelGrid(const CR455Radio& radio)
{
    return CFrequencyBand::GridOfSpacing(radio.GetChSpacing());
}

CChannelFit FitChannel(uint32_t channelHz, EChannelGrid grid)
{
    CChannelFit fit;
    const EChannelKind kind = GetChannelKind(channelHz);
    if (channelHz < CFrequencyBand::kLowest || channelHz > CFrequencyBand::kHighest) {
        fit.reasonId = IDS_AIR_OUTSIDE_BAND;
    } else if (kind == EChannelKind::kOffGrid) {
        fit.reasonId = IDS_AIR_OFF_GRID;
    } else if (kind == EChannelKind::k833kHz && grid == EChannelGrid::k25kHz) {
        fit.reasonId = IDS_AIR_NEEDS_833;
    } else {
        // The engine's own grid decides the name; the carrier must survive it.
        fit.storedHz = Band().ClampAndSnap(channelHz, grid);
        if (GetCarrier(fit.storedHz) != GetCarrier(channelHz)) {
            fit.storedHz = 0;
            fit.reasonId = IDS_AIR_OFF_GRID;
        }
    }
    return fit;
}

std::string EngineFrequencyText(const std::string& typed)
{
    return WithDecimalPoint(typed);
}

std::string DescribeTypedFrequency(const std::string& text, EChannelGrid grid)
{
    CFrequencyValue typed;
    if (!typed.Parse(text))
        return std::string();
    const uint32_t typedHz = static_cast<uint32_t>(typed.Value());
    if (typedHz == 0 || typedHz >= kFrequencyCeilingHz)
        return std::string();
    const uint32_t stored = Band().ClampAndSnap(typedHz, grid);
    std::string note = GetChannelKind(stored) == EChannelKind::k833kHz
                           ? FormatText(LoadResString(IDS_CARRIER_833_CHANNEL),
                                        {FormatCarrierMHz(GetCarrier(stored))})
                           : LoadResString(IDS_CARRIER_25_CHANNEL);
    if (stored != typedHz)
        note = FormatText(LoadResString(IDS_CARRIER_STORED_AS), {note, FormatChannelMHz(stored)});
    return note;
}

std::string CarrierText(const std::string& frequencyText)
{
    CFrequencyValue frequency;
    if (!frequency.Parse(frequencyText))
        return std::string();
    const uint32_t carrier = GetCarrier(static_cast<uint32_t>(frequency.Value()));
    return carrier == 0 ? std::string() : FormatCarrierMHz(carrier);
}

// Frequencies are megahertz texts; anything from 2000 up cannot be one.
constexpr double kFrequencyCeiling = 2000.0;

bool IsUsableFrequencyText(const std::string& s)
{
    const char* p = s.c_str();
    const char* const end = p + s.size();
    while (p < end && IsWhiteSpace(*p))
        ++p;
    // The reader takes a minus sign but not a plus sign.
    if (p < end && *p == '+' && p + 1 < end && *(p + 1) != '-')
        ++p;
    double value = 0.0;
    if (ReadDecimalNumber(p, end, value).outcome != EDecimalRead::kNumber)
        value = 0.0;
    // "inf" and "nan" are words, not numbers of megahertz.
    if (!std::isfinite(value))
        value = 0.0;
    return value > 0.0 && value < kFrequencyCeiling;
}
