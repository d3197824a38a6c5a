#include "cli/channel_listing.h"

#include <algorithm>
#include <cstdio>

#include "radio/r455_radio.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

std::string FormatChannelList(CR455Radio& radio)
{
    constexpr size_t kShown = 6; // the seventh column is always empty
    std::array<std::string, kShown> headers = {
        LoadResString(IDS_CLI_COLUMN_CH),        LoadResString(IDS_CLI_COLUMN_PRIO),
        LoadResString(IDS_CLI_COLUMN_FREQUENCY), LoadResString(IDS_CLI_COLUMN_NAME),
        LoadResString(IDS_CLI_COLUMN_TX_INHIBIT), LoadResString(IDS_CLI_COLUMN_LOCKOUT),
    };
    std::array<size_t, kShown> widths;
    for (size_t c = 0; c < kShown; ++c)
        widths[c] = headers[c].size();
    std::array<std::array<std::string, 7>, CR455Radio::kChannelCount> rows;
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        rows[ch - 1] = BuildChannelRow(radio, ch);
        for (size_t c = 0; c < kShown; ++c)
            widths[c] = std::max(widths[c], rows[ch - 1][c].size());
    }
    auto line = [&](const auto& cells) {
        std::string text;
        for (size_t c = 0; c < kShown; ++c) {
            std::string cell = cells[c];
            if (c + 1 < kShown)
                cell.resize(widths[c] + 2, ' ');
            text += cell;
        }
        return TrimRight(text) + "\n";
    };
    std::string out = line(headers);
    for (const auto& row : rows)
        out += line(row);
    return out;
}
