#include "sim/sim_transceiver.h"

// Windows has no pseudo-terminal to serve the simulated line on: the simulator does not start
// there. A Windows program reaches the Linux simulator through a COM port instead (under Wine,
// a link from the port to the simulator's pseudo-terminal).

bool CSimTransceiver::IsSupported()
{
    return false;
}

bool CSimTransceiver::OpenLine()
{
    return false;
}

bool CSimTransceiver::Start()
{
    return false;
}

void CSimTransceiver::Stop()
{
    m_running = false;
}

void CSimTransceiver::ServeThread() {}

void CSimTransceiver::TakeInput() {}

long CSimTransceiver::WriteLine(const uint8_t*, size_t)
{
    return -1;
}
