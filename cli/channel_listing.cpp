#include "cli/channel_listing.h"

#include <algorithm>
#include <cstdio>

#include "radio/air_channel.h"
#include "radio/r455_radio.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The list's columns: the channel row's first six cells (the seventh is always empty) with the
// carrier of the frequency after the frequency.
constexpr size_t kShown = 7;
constexpr size_t kCarrierColumn = 3;

std::array<std::string, kShown> ListedRow(const std::array<std::string, kChannelRowCells>& cells)
{
    std::array<std::string, kShown> row;
    std::copy(cells.begin(), cells.begin() + kCarrierColumn, row.begin());
    row[kCarrierColumn] = CarrierText(cells[kCarrierColumn - 1]);
    std::copy(cells.begin() + kCarrierColumn, cells.begin() + kShown - 1,
              row.begin() + kCarrierColumn + 1);
    return row;
}

} // namespace

std::string FormatChannelList(const CR455Radio& radio)
{
    std::vector<std::vector<std::string>> rows = {{
        LoadEnglishResString(IDS_CLI_COLUMN_CH),
        LoadEnglishResString(IDS_CLI_COLUMN_PRIO),
        LoadEnglishResString(IDS_CLI_COLUMN_FREQUENCY),
        LoadEnglishResString(IDS_CLI_COLUMN_CARRIER),
        LoadEnglishResString(IDS_CLI_COLUMN_NAME),
        LoadEnglishResString(IDS_CLI_COLUMN_TX_INHIBIT),
        LoadEnglishResString(IDS_CLI_COLUMN_LOCKOUT),
    }};
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        const auto row = ListedRow(BuildChannelRow(radio, ch, LoadEnglishResString));
        rows.emplace_back(row.begin(), row.end());
    }
    return FormatColumns(rows);
}

namespace {

// The columns a cell takes on a terminal: one per character, however many bytes it has in UTF-8
// (translated headers have accented letters).
size_t ColumnsOf(const std::string& text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

std::string FormatColumns(std::vector<std::vector<std::string>> rows)
{
    // Names and texts from a file reach a terminal: no escape sequence among them.
    for (auto& row : rows)
        for (std::string& cell : row)
            cell = PrintableText(cell);
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], ColumnsOf(row[c]));
    }
    std::string out;
    for (const auto& row : rows) {
        std::string text;
        for (size_t c = 0; c < row.size(); ++c) {
            std::string cell = row[c];
            if (c + 1 < row.size())
                cell.append(widths[c] + 2 - ColumnsOf(cell), ' ');
            text += cell;
        }
        out += TrimRight(text) + "\n";
    }
    return out;
}
