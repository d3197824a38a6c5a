#include "sim/sim_transceiver.h"

#include "sim/sim_line.h"

// Windows has no pseudo-terminal: the simulated transceiver serves the program in the same
// process over a line in memory. Another program reaches the Linux simulator through a COM port
// instead (under Wine, a link from the port to the simulator's pseudo-terminal).

bool CSimTransceiver::IsSupported()
{
    return false;
}

std::unique_ptr<CSimLine> OpenPseudoTerminal()
{
    return nullptr;
}
