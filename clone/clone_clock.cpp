#include "clone/clone_clock.h"

#include <chrono>
#include <thread>

#include <poll.h>

uint64_t CRealCloneClock::NowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CRealCloneClock::Sleep(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool CRealCloneClock::WaitReadable(int fd, unsigned milliseconds)
{
    struct pollfd p = {fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(milliseconds));
    // A hung-up terminal reports itself readable at once and for ever, with nothing to read.
    if (ready > 0 && (p.revents & POLLIN) && !(p.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return true;
    if (ready > 0)
        Sleep(milliseconds);
    return false;
}

CRealCloneClock& CRealCloneClock::Instance()
{
    static CRealCloneClock clock;
    return clock;
}
