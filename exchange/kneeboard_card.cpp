#include "exchange/kneeboard_card.h"

#include "radio/channel_row.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The cells of the channel list that the card shows, in its column order.
enum ERowCell { kNumber = 0, kPriority = 1, kFrequency = 2, kName = 3, kInhibit = 4, kLockout = 5 };
const ERowCell kCardCells[CCardData::kColumns] = {kNumber,  kFrequency, kName,
                                                  kInhibit, kLockout,   kPriority};
// The columns are headed with their names, never with a cell's mark.
const unsigned kHeadingIds[CCardData::kColumns] = {
    IDS_CLI_COLUMN_CH,         IDS_CLI_COLUMN_FREQUENCY, IDS_CLI_COLUMN_NAME,
    IDS_CLI_COLUMN_TX_INHIBIT, IDS_CLI_COLUMN_LOCKOUT,   IDS_CLI_COLUMN_PRIO};

// A setting's word in the reader's language; other values (channels, texts) as they are.
std::string CardValue(const std::string& engineWord)
{
    static const std::pair<const char*, unsigned> kWords[] = {
        {"ON", IDS_CARD_VALUE_ON},         {"OFF", IDS_CARD_VALUE_OFF},
        {"NORMAL", IDS_CARD_VALUE_NORMAL}, {"PRIO", IDS_CARD_VALUE_PRIO},
        {"ENABLE", IDS_CARD_VALUE_ENABLE}, {"DISABLE", IDS_CARD_VALUE_DISABLE},
    };
    for (const auto& [word, id] : kWords) {
        if (engineWord == word)
            return LoadResString(id);
    }
    return engineWord;
}

} // namespace

CCardData BuildCardData(const CR455Radio& radio, const std::string& fileName,
                        const std::string& date)
{
    CCardData card;
    card.fileName = fileName;
    card.date = date;
    card.subtitle = LoadResString(IDS_CARD_SUBTITLE);
    for (size_t c = 0; c < CCardData::kColumns; ++c)
        card.headings[c] = LoadResString(kHeadingIds[c]);
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        const auto cells = BuildChannelRow(radio, ch);
        std::array<std::string, CCardData::kColumns> row;
        for (size_t c = 0; c < CCardData::kColumns; ++c)
            row[c] = cells[kCardCells[c]];
        card.rows.push_back(row);
    }
    // The priority channel means something only while priority scanning is on, as the list's
    // Prio mark shows.
    const bool priority = radio.GetScanPrio() == "ON";
    const std::pair<unsigned, std::string> settings[] = {
        {IDS_CARD_CH_SPACING, radio.GetChSpacing()},
        {priority ? static_cast<unsigned>(IDS_PRIORITY_CH) : 0u, radio.GetPrioCh()},
        {IDS_SCAN_FUNCTION, CardValue(radio.GetScanFunction())},
        {IDS_SCAN_MODE, CardValue(radio.GetScanMode())},
        {IDS_HANGER_SCAN, CardValue(radio.GetScanHanger())},
        {IDS_VFO_MODE_ENABLE, CardValue(radio.GetVfoModeEnable())},
        {IDS_OPENING_TEXT, radio.GetOpeningText()},
        {IDS_CARD_CLONE_COMMENT, radio.GetCloneComment()},
    };
    for (const auto& [id, value] : settings) {
        if (id != 0)
            card.settings.emplace_back(LoadResString(id), value);
    }
    return card;
}
