#include "clone/clone_clock.h"

#include <chrono>
#include <thread>

#include "clone/byte_line.h"

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

bool CRealCloneClock::WaitReadable(CByteLine& line, unsigned milliseconds)
{
    const ELineInput input = line.WaitInput(milliseconds);
    // A hung-up line has nothing to read however often it is asked: the wait lasts in full.
    if (input == ELineInput::HungUp)
        Sleep(milliseconds);
    return input == ELineInput::Waiting;
}

CRealCloneClock& CRealCloneClock::Instance()
{
    static CRealCloneClock clock;
    return clock;
}
