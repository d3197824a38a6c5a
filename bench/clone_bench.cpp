// Clone runs against the simulated transceiver paced at 9600 baud, both on the system's steady
// clock as in the program: how close the wall time of a read and of a write comes to the time
// the bytes need on the line plus the protocol's fixed waits, and how much processor time the
// program spends meanwhile.
//
// Counters: wire_ms (bytes on the line / 960 per second), fixed_ms (the link's waits),
// overhead_pct (wall time beyond wire_ms + fixed_ms, in percent of it), link_cpu_pct (processor
// time of the thread running the link, in percent of the wall time), process_cpu_pct (the same
// for the whole process, the simulator's thread included).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "clone/clone_link.h"
#include "clone/silent_clone_host.h"
#include "sim/sim_transceiver.h"

namespace {

double CpuSeconds(clockid_t clock)
{
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

std::string ScratchPath()
{
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/pwrbenchXXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd >= 0)
        ::close(fd);
    return pattern;
}

void WriteTransferFile(const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    out << "22700101\n#BENCH\n";
    char line[64];
    for (unsigned a = 0x10; a < 0x200; a += 0x10) {
        int n = std::snprintf(line, sizeof line, "%04X10", a);
        for (unsigned i = 0; i < 16; ++i)
            n += std::snprintf(line + n, sizeof line - size_t(n), "%02X", (a * 3 + i) & 0xFF);
        out << line << '\n';
    }
}

// Fixed waits of a run that nothing travels during: 200 ms after opening and 500 ms of the
// progress window after the end. The 200 ms after the request overlap the line in a read (the
// transceiver starts sending its records at once) but not in a write, which adds 200 ms after
// the echo of its request before the first record.
constexpr double kReadFixedMs = 700;
constexpr double kWriteFixedMs = 1100;

void RunClone(benchmark::State& state, bool write)
{
    CSimFaults faults;
    faults.realtime = true;
    CSimTransceiver sim;
    sim.SetFaults(faults);
    if (!sim.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    CSilentCloneHost host; // only the link's own work and waits count
    CCloneLink link(host); // on the system's steady clock
    link.SetPortDevice(1, sim.GetDevicePath());
    link.SetModelCode(0x2270);
    link.SetRevision(0x0101);
    link.SetExpectedFrames(31);
    const std::string transfer = ScratchPath();
    link.SetTransferFile(transfer);

    double wall = 0, wire = 0, linkCpu = 0, processCpu = 0;
    int runs = 0;
    for (auto _ : state) {
        if (write)
            WriteTransferFile(transfer);
        uint64_t bytesBefore = sim.GetLineBytes();
        double threadStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        auto start = std::chrono::steady_clock::now();
        int result = write ? link.CloneOut() : link.CloneIn();
        auto end = std::chrono::steady_clock::now();
        if (result != 0) {
            state.SkipWithError("clone run failed");
            break;
        }
        double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        wall += seconds * 1000;
        wire += double(sim.GetLineBytes() - bytesBefore) * 1000.0 / 960.0;
        linkCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart;
        processCpu += CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
        ++runs;
    }
    std::remove(transfer.c_str());
    if (runs == 0)
        return;
    const double fixed = write ? kWriteFixedMs : kReadFixedMs;
    state.counters["wire_ms"] = wire / runs;
    state.counters["fixed_ms"] = fixed;
    state.counters["overhead_pct"] = (wall - wire - fixed * runs) / (wire + fixed * runs) * 100;
    state.counters["link_cpu_pct"] = linkCpu * 1000 / wall * 100;
    state.counters["process_cpu_pct"] = processCpu * 1000 / wall * 100;
}

void BM_CloneReadRealtime(benchmark::State& state)
{
    RunClone(state, false);
}

void BM_CloneWriteRealtime(benchmark::State& state)
{
    RunClone(state, true);
}

} // namespace

BENCHMARK(BM_CloneReadRealtime)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CloneWriteRealtime)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
