// Speed of the airport frequency list: loading the shipped list of some 30,000 rows and
// finding the airports typed (target: below 50 ms together), and the work of one keystroke in
// the import dialog once the list is loaded.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "radio/airport_import.h"
#include "radio/airport_list.h"

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

} // namespace
