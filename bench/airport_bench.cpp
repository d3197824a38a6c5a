// Speed of the airport frequency list: loading the shipped list of some 30,000 rows and
// finding the airports typed (target: below 50 ms together), the work of one keystroke in the
// import dialog once the list is loaded, and the largest list that is loaded at all.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>
#include <vector>

#include "exchange/airport_import.h"
#include "exchange/airport_list.h"

namespace {

const char kTyped[] = "EGLL KPAO ENGM";

void BM_AirportListLoadAndFind(benchmark::State& state)
{
    const std::string path = GetDefaultAirportListPath();
    for (auto _ : state) {
        CAirportList list;
        std::string error;
        if (!list.LoadFile(path, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        CAirportLookup lookup = FindAirports(list, SplitIdents(kTyped));
        benchmark::DoNotOptimize(lookup);
    }
}
BENCHMARK(BM_AirportListLoadAndFind)->Unit(benchmark::kMillisecond);

void BM_AirportKeystroke(benchmark::State& state)
{
    CAirportList list;
    std::string error;
    if (!list.LoadFile(GetDefaultAirportListPath(), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        const CAirportLookup lookup = FindAirports(list, SplitIdents(kTyped));
        const std::vector<CAirportChoice> choices = ChooseAirportRows(list, lookup.rows,
                                                                      EChannelGrid::k25kHz);
        std::vector<std::string> names = MakeChannelNames(list, choices);
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_AirportKeystroke)->Unit(benchmark::kMicrosecond);

// The costliest list the limit lets in: rows as short as a row can be, each a new airport
// (target: below 2 s, and the process's peak memory, "max_rss_mb", below 256 MB).
void BM_AirportListLargest(benchmark::State& state)
{
    std::string text = "airport_ident,type,description,frequency_mhz\n";
    for (unsigned n = 0; text.size() < CAirportList::kMaxFileBytes - 16; ++n)
        text += std::to_string(n) + ",,,\n";
    for (auto _ : state) {
        CAirportList list;
        if (!list.Load(text, nullptr)) {
            state.SkipWithError("not loaded");
            break;
        }
    }
    struct rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["max_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_AirportListLargest)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
