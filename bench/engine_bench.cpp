// Speed of the commands the channel list sends on every refresh, and of opening a file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/radio_engine.h"

namespace {

// The commands of one channel-list refresh: six queries per memory channel and the priority
// settings, built once as the list builds them from "CH.MCH.%u.".
std::vector<std::string> RefreshCommands()
{
    static const char* const kFields[] = {"APPEAR", "FREQUENCY", "ISLEGAL",
                                          "NAME",   "TXINHIBIT", "CHLOCKOUT"};
    std::vector<std::string> commands;
    for (unsigned n = 1; n <= 20; ++n) {
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "CH.MCH.%u.", n);
        for (const char* field : kFields) {
            commands.push_back(std::string(prefix) + field);
        }
    }
    commands.push_back("COMMON.PRIOCH");
    commands.push_back("COMMON.SCAN_PRIO");
    return commands;
}

void PrepareEngine(CRadioEngine& engine)
{
    engine.Execute("INITIALIZE");
    for (unsigned n = 1; n <= 20; n += 2) {
        const std::string prefix = "CH.MCH." + std::to_string(n) + ".";
        engine.Execute(prefix + "FREQUENCY=" + std::to_string(118 + n) + ".5");
        engine.Execute(prefix + "APPEAR=ON");
        engine.Execute(prefix + "NAME=CH" + std::to_string(n));
    }
    engine.Execute("EDIT_FLAG=OFF");
}

void BM_ChannelListRefresh(benchmark::State& state)
{
    CRadioEngine engine;
    PrepareEngine(engine);
    const std::vector<std::string> commands = RefreshCommands();
    for (auto _ : state) {
        for (const std::string& command : commands) {
            benchmark::DoNotOptimize(engine.Execute(command));
        }
        // The flag is off, so the query heals and compares the image.
        benchmark::DoNotOptimize(engine.Execute("EDIT_FLAG"));
    }
}
BENCHMARK(BM_ChannelListRefresh)->Unit(benchmark::kMicrosecond);

void BM_FileLoad(benchmark::State& state)
{
    CRadioEngine engine;
    PrepareEngine(engine);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("engine_bench_" + std::to_string(std::random_device()()) + ".qrb"))
                                 .string();
    if (engine.Execute("FILE.SAVE.\"" + path + "\"") != "OK") {
        state.SkipWithError("cannot save the data file");
        return;
    }
    const std::string load = "FILE.LOAD.\"" + path + "\"";
    for (auto _ : state) {
        if (engine.Execute(load) != "OK") {
            state.SkipWithError("cannot load the data file");
            break;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_FileLoad)->Unit(benchmark::kMicrosecond);

} // namespace
