#include "radio/channel_row.h"

#include <cstdio>

#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

std::string Cell(const std::string& text)
{
    return Trim(text).substr(0, kChannelCellMaxLength);
}

} // namespace

std::array<std::string, kChannelRowCells> BuildChannelRow(const CR455Radio& radio, unsigned ch,
                                                          std::string (*load)(unsigned))
{
    std::array<std::string, kChannelRowCells> cells;
    if (ch < 1 || ch > CR455Radio::kChannelCount)
        return cells;
    char number[16];
    std::snprintf(number, sizeof number, " %02u", ch);
    cells[0] = Cell(number);
    if (radio.GetChAppear(ch) == "OFF")
        return cells;
    if (DecimalValue(radio.GetPrioCh()) == static_cast<int>(ch) && radio.GetScanPrio() == "ON")
        cells[1] = Cell(load(IDS_CLI_COLUMN_PRIO));
    cells[2] = Cell(radio.GetChFrequency(ch) + " " + radio.GetChIsLegal(ch));
    cells[3] = Cell(radio.GetChName(ch));
    if (radio.GetChTxInhibit(ch) == "ON")
        cells[4] = Cell(load(IDS_CLI_CELL_INHIBIT));
    if (radio.GetChLockout(ch) == "ON")
        cells[5] = Cell(load(IDS_CLI_CELL_LOCKOUT));
    return cells;
}
