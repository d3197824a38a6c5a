// Find Cable's rule on a list of ports that changes at each look, on the fake clock.

#include <gtest/gtest.h>

#include "tests/common/fake_clone_clock.h"
#include "tests/common/fake_port_list.h"

TEST(CableFinder, NamesThePortThatCameAndWaitsEachStepAtMostItsLimit)
{
    using Looks = std::vector<std::vector<std::string>>;
    const struct {
        Looks looks; // the first is the look at the start
        int cancelAt; // the cancel comes before this wait (0: none)
        const char* stages;
        const char* came;
        uint64_t ms;
    } cases[] = {
        {{{"S", "U"}, {"S"}, {"S"}, {"S", "U"}}, 0, "Unplug Plug Found", "U", 1000}, // went and came
        {{{"S"}, {"S", "U"}}, 0, "Unplug Found", "U", 500}, // unplugged already at the start
        {{{"S"}, {"S", "U0"}, {"S", "U0", "U1"}}, 0, "Unplug Several", "U0 U1", 750},
        {{{"S"}, {"S", "U0"}, {"S"}}, 0, "Unplug TimedOut", "", 60000}, // a port that flickered
        {{{"S", "U"}, {"S"}}, 0, "Unplug Plug TimedOut", "", 60250}, // plugging in waits anew
        {{{"S", "U"}, {"S"}}, 3, "Unplug Plug Cancelled", "", 500},
    };
    const char* const kNames[] = {"Unplug", "Plug", "Found", "Several", "TimedOut", "Cancelled"};
    for (const auto& c : cases) {
        CScriptedPortList ports(c.looks);
        CFakeCloneClock clock;
        CCableFinder finder(ports, clock);
        std::string stages, came;
        int waits = 0;
        auto add = [](std::string& list, const std::string& word) {
            list += (list.empty() ? "" : " ") + word;
        };
        finder.Run([&](CCableFinder::EStage s) { add(stages, kNames[int(s)]); },
                   [&] { return ++waits == c.cancelAt; });
        for (const CSerialDevice& d : finder.GetCame())
            add(came, d.path);
        EXPECT_EQ(stages, c.stages) << c.stages;
        EXPECT_EQ(came, c.came) << c.stages;
        EXPECT_EQ(clock.NowMs(), c.ms) << c.stages;
    }
}
