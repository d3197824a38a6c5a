#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "radio/air_channel.h"

class CAirportList;
class CR455Radio;

// Filling memory channels from an airport frequency list.
//
// Channel names, 7 characters: the airport's ident, then its service, upper case, letters and
// digits only. The ident keeps at most 4 characters (the last 4 of a longer local code such as
// "US-0123"); the service fills the rest: "EGLLTWR", "KPAOGND", "ENGMATI" for ATIS, and for
// the 3-character ident "0C2" the 4 characters "0C2CTAF". Frequencies imported together that
// would share a name are numbered in list order, the number replacing the name's last
// characters: "EGLLTW1", "EGLLTW2", ... "EGLLT10".

// One listed frequency as the transceiver can take it under a channel grid.
struct CAirportChoice {
    uint32_t row = 0;       // in the list
    uint32_t channelHz = 0; // the channel the list names; 0 when the row holds no frequency
    CChannelFit fit;        // what the transceiver stores, or why it cannot
    bool txInhibit = false; // a receive-only service

    bool CanHold() const { return fit.reasonId == 0; }
};

// Receive-only services, whose channels get Tx inhibit: ATIS, AWOS, ASOS, VOLMET and AWIS,
// also as a word of a longer type ("D-ATIS", "AWOS-3").
bool IsReceiveOnlyService(const std::string& type);

// Each row under `grid`, in the order given.
std::vector<CAirportChoice> ChooseAirportRows(const CAirportList& list,
                                              const std::vector<uint32_t>& rows, EChannelGrid grid);

// Why a choice cannot be held, as a text; empty when it can.
std::string GetChoiceReason(const CAirportChoice& choice);

// The 7-character names of frequencies imported together, in the same order.
std::vector<std::string> MakeChannelNames(const CAirportList& list,
                                          const std::vector<CAirportChoice>& chosen);

// Where each chosen frequency goes.
struct CAirportPlacement {
    unsigned channel = 0; // 1 to 20; 0 for one that does not fit
    uint32_t storedHz = 0;
    std::string name;
    bool txInhibit = false;
    uint32_t row = 0;
};

struct CAirportImportPlan {
    std::vector<CAirportPlacement> placed;
    std::vector<CAirportPlacement> notPlaced; // did not fit in the channels available
};

// Plans an import of the chosen frequencies that the transceiver can hold (the others are
// left out) into the blank channels from channel `from` on, or with `overwrite` into every
// channel from `from` on, in order. Reads the radio, changes nothing.
CAirportImportPlan PlanAirportImport(const CR455Radio& radio, const CAirportList& list,
                                     const std::vector<CAirportChoice>& chosen, unsigned from,
                                     bool overwrite);

// "EGLLTW3 124.475, EGLLGN1 121.700": names and frequencies, as messages list them.
std::string NamePlacements(const std::vector<CAirportPlacement>& placements);

// "2-7, 9, 11-12": the channels a plan fills.
std::string CompactChannels(const std::vector<CAirportPlacement>& placed);

// The line over the import dialog's list: how many frequencies the idents typed found and how
// many of them the transceiver can hold with the channel spacing `spacing`, then the idents the
// list does not know; the hint to type some when there are neither.
std::string DescribeAirportChoices(const std::vector<CAirportChoice>& choices,
                                   const std::vector<std::string>& unknown,
                                   const std::string& spacing);

// The line under the list: the channels the plan fills and the frequencies that do not fit.
std::string SummarizeAirportPlan(const CAirportImportPlan& plan);

// After an import: the message naming the frequencies that did not fit; "" when all did.
std::string DescribeAirportImport(const CAirportImportPlan& plan);

// Carries out a whole plan through the radio's channel commands (name, Tx inhibit, lockout
// off, frequency, APPEAR, the channel's heal, as the Edit Memory dialog does), so the engine's
// rules decide what is stored, then heals. This is the single step that changes data.
void ApplyAirportImport(CR455Radio& radio, const CAirportImportPlan& plan);
