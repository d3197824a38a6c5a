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
    {156, "Cloning"},
    {5026, " Cloning completed."},
    {5027, " Err: Cannot read cloning data."},
    {5028, " Err: Cannot write cloning data."},
    {5029, " Err: Illegal information."},
    {5030, " The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not been cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision number is not compatible\n    with the programming software.\n\n In cases 1 or 2, the transceiver requires factory\n maintenance. In case 3, the transceiver cannot be\n programmed using this program.\n\n"},
    {5031, " Terminated cloning.  "},
    {5032, " Err: Cannot access RS-232C port."},
    {5033, " Err: No answer from transceiver."},
    {5034, " Clone writing succeeded. \n\n Turn the transceiver power off and on to use \n the transceiver under its new conditions.\n"},
    {5035, " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n - Transceiver power is ON."},
    {5040, " Now reading <- TR"},
    {5041, " Now writing -> TR"},
    {5054, " Read from transceiver"},
    {5055, " Data has been edited."},
    {5056, " Write to transceiver"},
    {5061, " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n - Appropriate cloning software for the transceiver is being used.\r\n - The revision number of the transceiver.\n"},
    {5070, " The temporary file for the cloning data cannot be created or opened.\n\n Check the free space and the permissions of the temporary folder."},
    {26000, "The file name cannot be used because it contains a double quote (\") or an equals sign (=)."},
    {26001, "The file could not be written."},
    {26010, "Line %1: the header row \"%2\" is missing."},
    {26011, "Line %1: %2 fields found, 5 expected."},
    {26012, "Line %1, field %2: \"%3\" is not a channel number from 1 to 20."},
    {26013, "Line %1, field %2: channel %3 appears more than once."},
    {26014, "Line %1, field %2: \"%3\" is not a frequency in MHz."},
    {26015, "Line %1, field %2: \"%3\" is neither ON nor OFF."},
    {26016, "Line %1, field %2: a blank channel (no frequency) cannot have a name."},
    {26017, "Line %1, field %2: the quoted field is not closed."},
    {26018, "Line %1, field %2: text follows the closing quote."},
    {26019, "Line %1, field %2: the field is too long."},
    {57344, "PW-R455NORD"},
    {57345, "Ready"},
    {61728, "Unexpected file format."},
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
