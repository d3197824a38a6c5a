#include "sim/sim_transceiver.h"

#include "sim/sim_line.h"

// A page has no pseudo-terminal: the simulated transceiver serves it over a line in memory, and
// only when the page's clock serves it (the page has one thread).

bool CSimTransceiver::IsSupported()
{
    return false;
}

std::unique_ptr<CSimLine> OpenPseudoTerminal()
{
    return nullptr;
}
