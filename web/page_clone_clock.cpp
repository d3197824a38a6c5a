#include "web/page_clone_clock.h"

#include <algorithm>

#include <emscripten.h>

#include "clone/byte_line.h"
#include "sim/sim_transceiver.h"

uint64_t CPageCloneClock::NowMs()
{
    return static_cast<uint64_t>(emscripten_get_now());
}

void CPageCloneClock::Sleep(unsigned milliseconds)
{
    RunUntil(NowMs() + milliseconds, nullptr);
}

bool CPageCloneClock::WaitReadable(CByteLine& line, unsigned milliseconds)
{
    const unsigned wait = m_sim ? milliseconds : std::max(milliseconds, kShortestPortWaitMs);
    return RunUntil(NowMs() + wait, &line);
}

bool CPageCloneClock::RunUntil(uint64_t end, CByteLine* line)
{
    for (;;) {
        const uint64_t now = NowMs();
        const uint64_t due = m_sim ? m_sim->Serve(now) : CSimTransceiver::kNever;
        if (line && line->WaitInput(0) == ELineInput::Waiting)
            return true;
        if (now >= end)
            return false;
        uint64_t step = end - now;
        if (m_sim)
            step = std::min<uint64_t>({step, kStepMs, due > now ? due - now : 0});
        // A line of the browser's own waits for its input itself, handing back the event loop.
        if (line && !m_sim)
            line->WaitInput(static_cast<unsigned>(step));
        else
            emscripten_sleep(static_cast<unsigned>(step));
    }
}
