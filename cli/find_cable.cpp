#include "cli/find_cable.h"

#include <ostream>

#include "clone/cable_finder.h"
#include "profile/profile.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

namespace {

std::string Text(unsigned id, std::initializer_list<std::string> args = {})
{
    return FormatText(LoadResString(id), args);
}

} // namespace

int FindCable(CCliIo& io, CPortList& ports, CCloneClock& clock,
              const std::function<bool()>& cancelled, int bind, CProfile& profile,
              std::string* found)
{
    using EStage = CCableFinder::EStage;
    CCableFinder finder(ports, clock);
    const EStage end = finder.Run(
        [&](EStage stage) {
            if (!CCableFinder::IsEnd(stage))
                io.err << CCableFinder::Prompt(stage) << std::endl;
        },
        cancelled);
    io.err << CCableFinder::Prompt(end, finder.GetCame()) << std::endl;
    if (end != EStage::Found)
        return kExitFailure;
    const CSerialDevice& cable = finder.GetCame().front();
    if (bind != 0) {
        profile.SetPortDevice(bind, cable.path);
        profile.SetPortNumber(bind);
        if (!profile.Save()) {
            io.err << Text(IDS_CLI_FIND_CANNOT_BIND, {std::to_string(bind), profile.GetWarning()})
                   << std::endl;
            return kExitFailure;
        }
        io.err << Text(IDS_FIND_BOUND, {std::to_string(bind), cable.path}) << std::endl;
    }
    *found = cable.path;
    io.out << cable.path << std::endl;
    return kExitOk;
}
