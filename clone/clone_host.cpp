#include "clone/clone_host.h"

#include <chrono>

uint64_t CCloneHost::GetTickMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
