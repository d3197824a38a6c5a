#include "res/string_table.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

// Kept sorted by id. Texts are exact, blanks included.
const StringEntry kStrings[] = {
    {57344, "PW-R455NORD"},
    {57345, "Ready"},
};

const StringEntry* Find(unsigned id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const StringEntry& e, unsigned v) { return e.id < v; });
    if (it == std::end(kStrings) || it->id != id)
        return nullptr;
    return it;
}

} // namespace

std::string LoadResString(unsigned id)
{
    const StringEntry* e = Find(id);
    return e ? std::string(e->text) : std::string();
}

bool HasResString(unsigned id)
{
    return Find(id) != nullptr;
}
