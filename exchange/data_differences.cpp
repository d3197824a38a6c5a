#include "exchange/data_differences.h"

#include <cstdlib>
#include <iterator>
#include <utility>

#include "radio/channel_order.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The channel fields compared, in the order of the channel's ALL answer.
const char* const kChannelFields[] = {"APPEAR", "FREQUENCY", "NAME", "TXINHIBIT", "CHLOCKOUT"};
// Their labels (none for APPEAR: the channel's own label says whether it is in use).
const unsigned kChannelFieldLabels[] = {0, IDS_CLI_COLUMN_FREQUENCY, IDS_CLI_COLUMN_NAME,
                                        IDS_CLI_COLUMN_TX_INHIBIT, IDS_CLI_COLUMN_LOCKOUT};
// The labels of the settings, in the order of CR455Radio::kSettingKeys: the settings sheet's.
const unsigned kSettingLabels[CR455Radio::kSettingCount] = {
    IDS_ADJUST_MODE_ENABLE,
    IDS_CARD_CH_SPACING,
    IDS_VFO_MODE_ENABLE,
    IDS_COMPARE_VFO_TX_INHIBIT,
    IDS_MEMORY_WRITE_ENABLE,
    IDS_INDICATION_MODE,
    IDS_OPERATION_BEEP,
    IDS_UPDN_KEY_BEEP,
    IDS_SIDE_TONE,
    IDS_SCAN_FUNCTION,
    IDS_SCAN_MODE,
    IDS_HANGER_SCAN,
    IDS_COMPARE_PRIORITY_SCAN,
    IDS_LCD_BACKLIGHT,
    IDS_LCD_DIMMER,
    IDS_PRIORITY_CH,
    IDS_OPENING_TEXT,
    IDS_CARD_CLONE_COMMENT,
};

// A setting's or a mark's value in the words the settings sheet shows, in the reader's language;
// numbers (a priority channel) as they are.
std::string Word(const std::string& value)
{
    static const std::pair<const char*, unsigned> kWords[] = {
        {"ON", IDS_COMPARE_VALUE_ON},
        {"OFF", IDS_LEVEL_OFF},
        {"ENABLE", IDS_COMPARE_VALUE_ENABLE},
        {"DISABLE", IDS_COMPARE_VALUE_DISABLE},
        {"LOW", IDS_LEVEL_LOW},
        {"HIGH", IDS_LEVEL_HIGH},
        {"FREQ", IDS_INDICATE_FREQ},
        {"TEXT", IDS_INDICATE_TEXT},
        {"NORMAL", IDS_SCAN_MODE_NORMAL},
        {"PRIO", IDS_SCAN_MODE_PRIO},
        {"8.33kHz", IDS_SPACING_8_33K},
        {"25kHz", IDS_SPACING_25K},
        {"25k/8.33kHz", IDS_SPACING_BOTH},
    };
    for (const auto& [word, id] : kWords) {
        if (value == word)
            return LoadResString(id);
    }
    return value;
}

// A text (a name, the opening text, the clone comment) without its padding; a text with bytes
// that cannot be shown keeps its quotes and escapes.
std::string Text(const std::string& value)
{
    const std::string text = TrimRight(value);
    if (text.empty())
        return LoadResString(IDS_COMPARE_EMPTY_TEXT);
    return QuoteValue(text) == "\"" + text + "\"" ? text : QuoteValue(value);
}

} // namespace

std::vector<CDataDifference> ListDifferences(const CR455Radio& left, const CR455Radio& right)
{
    std::vector<CDataDifference> differences;
    auto compare = [&](const std::string& key) {
        std::string a = left.Query(key);
        std::string b = right.Query(key);
        if (a != b)
            differences.push_back({key, std::move(a), std::move(b)});
    };
    for (const char* key : CR455Radio::kSettingKeys)
        compare(std::string("COMMON.") + key);
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch) {
        for (const char* field : kChannelFields)
            compare(CR455Radio::ChPrefix(ch) + field);
    }
    return differences;
}

std::string QuoteValue(const std::string& value)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : value) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u > 0x7E) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FormatDifference(const CDataDifference& difference)
{
    return difference.key + ": " + QuoteValue(difference.left) + " -> " +
           QuoteValue(difference.right);
}

CDataDifference DescribeDifference(const CDataDifference& difference)
{
    const std::string& key = difference.key;
    CDataDifference words = difference;
    const std::string common = "COMMON.";
    for (size_t i = 0; i < CR455Radio::kSettingCount; ++i) {
        if (key == common + CR455Radio::kSettingKeys[i]) {
            const bool text = kSettingLabels[i] == IDS_OPENING_TEXT ||
                              kSettingLabels[i] == IDS_CARD_CLONE_COMMENT;
            return {LoadResString(kSettingLabels[i]),
                    text ? Text(difference.left) : Word(difference.left),
                    text ? Text(difference.right) : Word(difference.right)};
        }
    }
    const std::string prefix = "CH.MCH.";
    const size_t dot = key.find('.', prefix.size());
    if (key.compare(0, prefix.size(), prefix) != 0 || dot == std::string::npos)
        return words;
    const unsigned ch = static_cast<unsigned>(std::atoi(key.c_str() + prefix.size()));
    const std::string field = key.substr(dot + 1);
    const std::string blank = LoadResString(IDS_COMPARE_BLANK_CHANNEL);
    words.key = ChannelLabel(ch);
    for (size_t f = 0; f < std::size(kChannelFields); ++f) {
        if (field != kChannelFields[f])
            continue;
        if (kChannelFieldLabels[f] != 0)
            words.key += " " + LoadResString(kChannelFieldLabels[f]);
        for (std::string* value : {&words.left, &words.right}) {
            if (field == "APPEAR")
                *value = *value == "OFF" ? blank : LoadResString(IDS_COMPARE_CHANNEL_IN_USE);
            else if (field == "FREQUENCY")
                *value = value->empty() || *value == "0.000" ? blank : *value;
            else
                *value = field == "NAME" ? Text(*value) : Word(*value);
        }
    }
    return words;
}

std::string DescribeDifferenceCount(size_t count)
{
    if (count == 0)
        return LoadResString(IDS_COMPARE_SAME);
    return FormatText(LoadResString(count == 1 ? IDS_COMPARE_ONE_DIFFERENT : IDS_COMPARE_DIFFERENT),
                      {std::to_string(count)});
}
