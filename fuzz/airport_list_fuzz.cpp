// Feeds arbitrary bytes to the airport frequency list. Besides crashes and sanitizer reports it
// checks the list's promises: a refused text names a line and leaves the list as it was; every
// row of an accepted one is either refused with a reason or stored on a legal channel under a
// distinct name of at most 7 characters.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "engine/frequency_band.h"
#include "exchange/airport_import.h"
#include "exchange/airport_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CAirportList list;
    std::string error;
    if (!list.Load("airport_ident,type,description,frequency_mhz\nEGLL,TWR,T,118.5\n", &error))
        std::abort();
    if (!list.Load(text, &error)) {
        if (error.rfind("Line ", 0) != 0 || list.GetSize() != 1)
            std::abort();
        return 0;
    }
    std::vector<uint32_t> rows;
    for (uint32_t i = 0; i < list.GetSize(); ++i)
        rows.push_back(i);
    for (EChannelGrid grid : {EChannelGrid::k25kHz, EChannelGrid::k833kHz, EChannelGrid::kBoth}) {
        std::vector<CAirportChoice> held;
        for (const CAirportChoice& choice : ChooseAirportRows(list, rows, grid)) {
            if (!choice.CanHold())
                continue;
            if (choice.fit.storedHz < CFrequencyBand::kLowest ||
                choice.fit.storedHz > CFrequencyBand::kHighest)
                std::abort();
            held.push_back(choice);
        }
        std::set<std::string> names;
        for (const std::string& name : MakeChannelNames(list, held)) {
            if (name.size() > 7 || !names.insert(name).second)
                std::abort();
        }
    }
    return 0;
}
