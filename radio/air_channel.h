#pragma once

#include <cstdint>
#include <string>

#include "engine/frequency_band.h"

class CR455Radio;

// Channels of the air band as the transceiver names them.
//
// On the 25 kHz grid a channel's name is its carrier: 118.025 is carried on 118.025 MHz. The
// 8.33 kHz grid splits every 25 kHz step into three channels whose names end in 5, 10 and 15 kHz
// past the step and whose carriers lie 0, 8.33 and 16.67 kHz past it: 118.005 is carried on
// 118.0000, 118.010 on 118.0083, 118.015 on 118.0167 and 118.030 on 118.0250 MHz. A channel name
// never equals a carrier of the other grid, so the name alone tells the grid.

enum class EChannelKind {
    kNone,    // no frequency (0)
    k25kHz,   // a 25 kHz channel
    k833kHz,  // an 8.33 kHz channel name
    kOffGrid, // on neither grid
};

EChannelKind GetChannelKind(uint32_t channelHz);

// The carrier of a channel of either grid in hertz, rounded to the nearest hertz; 0 for a
// frequency on neither grid.
uint32_t GetCarrier(uint32_t channelHz);

// The channel whose carrier lies within 100 Hz of `carrierHz` (a 25 kHz channel where both
// grids share the carrier); 0 when there is none.
uint32_t ChannelOfCarrier(uint32_t carrierHz);

// Megahertz with three decimals, as the engine writes frequencies ("118.010").
std::string FormatChannelMHz(uint32_t hertz);
// Megahertz with four decimals, as carriers are written ("118.0083").
std::string FormatCarrierMHz(uint32_t carrierHz);

// A frequency as airport lists write it, in MHz with trailing zeros dropped, as the channel it
// names. A value with two decimals ending in 2 or 7 is a 25 kHz channel written short ("120.82"
// is 120.825, "118.17" is 118.175); any other value is taken as written, so "133.63" is the
// 8.33 kHz channel 133.630. A value of four or more decimals is a carrier and names its channel
// ("118.0083" is 118.010). Returns false for a text that is not a number of megahertz.
bool ParseListedFrequency(const std::string& text, uint32_t* channelHz);

// The channel grid that the radio's channel spacing selects.
EChannelGrid GetChannelGrid(const CR455Radio& radio);

// Whether the transceiver can hold a channel under a channel grid, and
// as what. A 25 kHz channel on the 8.33 kHz grid is held as the 8.33 kHz name of its carrier
// (120.825 as 120.830).
struct CChannelFit {
    uint32_t storedHz = 0; // the frequency the transceiver stores; 0 when it cannot
    unsigned reasonId = 0; // when it cannot: a string resource that says why
};
CChannelFit FitChannel(uint32_t channelHz, EChannelGrid grid);

// A frequency as a person types it, in the engine's form: a decimal comma, as Nordic pilots and
// their authorities write it ("121,5"), becomes the engine's point ("121.5"). Any other text is
// left for the engine to read.
std::string EngineFrequencyText(const std::string& typed);

// Whether `text` (the engine's form) reads as a frequency at all, a positive number of megahertz
// below 2000: Edit Memory sends any other text as no frequency.
bool IsUsableFrequencyText(const std::string& text);

// The note under a typed frequency: what the engine will store for `text` under `grid`:
// "25 kHz channel" or "8.33 kHz channel, carrier 118.0083 MHz", and on a second line the stored
// name when it differs from the typed value ("Stored as 118.010."). Empty for an empty text,
// a text that is no number, and numbers the transceiver cannot take as a frequency (0 or
// less, 2000 MHz or more: the channel becomes blank).
std::string DescribeTypedFrequency(const std::string& text, EChannelGrid grid);

// The carrier column of a channel list: the carrier of a frequency written as the engine
// writes it ("118.010" gives "118.0083", "121.500" gives "121.5000"); empty for a blank
// channel or a frequency on neither grid.
std::string CarrierText(const std::string& frequencyText);
