#pragma once

#include <string>
#include <vector>

// The language codes the system asks for, best first (on Linux as gettext reads them: LANGUAGE,
// unless the locale is C or POSIX, then LC_ALL, LC_MESSAGES, LANG; on Windows the user's display
// languages). A code keeps its region ("nb_NO", "nb-NO"); an empty list means English.
std::vector<std::string> SystemLanguages();
