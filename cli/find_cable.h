#pragma once

// pwr455-cli ports --find: the cable's port found as the user unplugs the cable and plugs it
// in again (clone/cable_finder.h). The prompts and findings go to the standard error; the
// standard output gets the port's name alone, one line, and only when one port came.

#include <functional>
#include <string>

#include "cli/cli_command.h"

class CCloneClock;
class CPortList;
class CProfile;

// `bind` (1 to 4, 0: none) binds that COM number to the port found, and chooses it, in
// `profile`, which is saved. Returns kExitOk when one port came (and the binding was saved),
// kExitFailure otherwise. `cancelled` is asked before each wait.
int FindCable(CCliIo& io, CPortList& ports, CCloneClock& clock,
              const std::function<bool()>& cancelled, int bind, CProfile& profile,
              std::string* found);
