#pragma once

// The program's string table. Texts are kept exactly as the user sees them,
// leading and trailing blanks included; ids are those of res/resource_ids.h.

#include <string>

// Returns the text of string resource `id`, or an empty string when there is none.
std::string LoadResString(unsigned id);
