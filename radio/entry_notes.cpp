#include "radio/entry_notes.h"

#include <algorithm>
#include <cstdio>

#include "engine/command_string.h"
#include "engine/frequency_band.h"
#include "engine/text_value.h"
#include "engine/utf8_text.h"
#include "radio/air_channel.h"
#include "radio/channel_order.h"
#include "radio/display_spelling.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The name and the opening text as the engine keeps them: 7 characters.
constexpr size_t kNameLength = 7;
// A megahertz text from here on cannot be a frequency; the Edit Memory dialog blanks it.
constexpr long long kCeilingHertz = 2000000000LL;

// Digits with at most one decimal point: the only texts the engine reads in full.
bool IsPlainNumber(const std::string& text)
{
    const size_t digits = static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
    const size_t points = static_cast<size_t>(std::count(text.begin(), text.end(), '.'));
    return digits > 0 && points <= 1 && digits + points == text.size();
}

// Hertz of a plain number of megahertz; digits beyond the sixth decimal are dropped.
long long Hertz(const std::string& text)
{
    long long hertz = 0;
    int decimals = -1;
    for (char c : text) {
        if (c == '.') {
            decimals = 0;
            continue;
        }
        if (decimals >= 6 || hertz >= kCeilingHertz)
            continue;
        hertz = hertz * 10 + (c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    for (int d = std::max(decimals, 0); d < 6; ++d)
        hertz *= 10;
    return hertz;
}

// Megahertz as the engine answers them: whole kilohertz, three decimals.
std::string Megahertz(long long hertz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", hertz / 1000000, hertz % 1000000 / 1000);
    return text;
}

std::string GridName(const CR455Radio& radio)
{
    const std::string spacing = radio.GetChSpacing();
    if (spacing == "25kHz")
        return LoadResString(IDS_NOTE_GRID_25K);
    if (spacing == "8.33kHz")
        return LoadResString(IDS_NOTE_GRID_8_33K);
    return LoadResString(IDS_NOTE_GRID_BOTH);
}

std::string FrequencyNote(const CR455Radio& radio, const CChannelEntry& entry, bool undoHint)
{
    const std::string typed = Trim(entry.frequency);
    const unsigned ch = entry.channel;
    const std::string label = ChannelLabel(ch);
    if (typed.empty()) {
        // Emptied on purpose: the channel is blank as asked, unless it cannot be (channel 1).
        if (radio.GetChAppear(ch) == "OFF")
            return std::string();
        return FormatText(LoadResString(IDS_NOTE_KEPT_IN_USE), {label, radio.GetChFrequency(ch)});
    }
    const bool plain = IsPlainNumber(typed);
    const long long hertz = plain ? Hertz(typed) : 0;
    if (radio.GetChAppear(ch) == "OFF") {
        if (plain && hertz > 0 && hertz < kCeilingHertz)
            return FormatText(LoadResString(IDS_NOTE_NOT_STORED_BLANK), {label, Megahertz(hertz)});
        std::string note = FormatText(LoadResString(IDS_NOTE_NOW_BLANK), {label, typed});
        return undoHint ? note + LoadResString(IDS_NOTE_UNDO_HINT) : note;
    }
    const std::string stored = radio.GetChFrequency(ch);
    if (!plain)
        return FormatText(LoadResString(IDS_NOTE_NOT_A_FREQUENCY), {label, typed, stored});
    if (hertz < CFrequencyBand::kLowest || hertz > CFrequencyBand::kHighest)
        return FormatText(LoadResString(IDS_NOTE_OUTSIDE_BAND), {label, Megahertz(hertz), stored});
    // A carrier typed for its channel name ("118.0083" for 118.010) is quoted as typed: cut to
    // whole kilohertz it would read as some other frequency.
    const uint32_t channel = ChannelOfCarrier(static_cast<uint32_t>(hertz));
    if (Megahertz(hertz) != stored && channel != 0 && FormatChannelMHz(channel) == stored)
        return FormatText(LoadResString(IDS_NOTE_CARRIER), {label, typed, stored});
    if (Megahertz(hertz) != stored)
        return FormatText(LoadResString(IDS_NOTE_SNAPPED),
                          {label, Megahertz(hertz), stored, GridName(radio)});
    return std::string();
}

// The name the engine keeps for `typed`, sent as a command's value, without trailing blanks.
std::string NameAsKept(const std::string& typed)
{
    CTextValue name;
    name.SetLength(static_cast<int>(kNameLength), static_cast<int>(kNameLength));
    return TrimRight(name.Execute("=" + typed));
}

// The first `count` characters of UTF-8 `text` (a byte that is no UTF-8 counts as one).
std::string FirstCharacters(const std::string& text, size_t count, size_t* total)
{
    size_t end = 0;
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++characters) {
        if (characters == count)
            end = i;
        const size_t length = Utf8SequenceLength(text, i);
        i += length == 0 ? 1 : length;
    }
    *total = characters;
    return characters > count ? text.substr(0, end) : text;
}

// True when `text` holds a character beyond ASCII that the display's letters cannot spell.
bool HasUnspelledCharacter(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80 && !HasDisplaySpelling(text, i))
            return true;
        if (const size_t length = Utf8SequenceLength(text, i))
            i += length - 1;
    }
    return false;
}

// The reasons of a note, as one text.
std::string JoinReasons(const std::vector<std::string>& reasons)
{
    std::string why;
    for (const std::string& reason : reasons)
        why += (why.empty() ? "" : ", ") + reason;
    return why;
}

bool HasNonDisplayCharacter(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        return !CTextValue::IsDisplayCharacter(static_cast<unsigned char>(c));
    });
}

std::string NameNote(const CR455Radio& radio, const CChannelEntry& entry)
{
    const unsigned ch = entry.channel;
    const std::string typed = TrimRight(entry.name);
    const std::string stored = radio.GetChName(ch);
    if (radio.GetChAppear(ch) == "OFF" || typed == stored)
        return std::string();
    std::vector<std::string> reasons;
    // The desktop program and the imports spell names with the display's letters; the engine's
    // own language (exec) takes them as they are.
    const std::string spelled = SpelledForDisplay(typed);
    const bool respelled = spelled != typed && NameAsKept(spelled) == stored;
    if (respelled)
        reasons.push_back(LoadResString(IDS_NOTE_NAME_SPELLED));
    size_t characters = 0;
    const std::string kept = FirstCharacters(respelled ? spelled : typed, kNameLength, &characters);
    if (characters > kNameLength)
        reasons.push_back(LoadResString(IDS_NOTE_NAME_CUT));
    if (std::any_of(kept.begin(), kept.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        reasons.push_back(LoadResString(IDS_NOTE_NAME_UPPER));
    if ((respelled && HasUnspelledCharacter(typed)) || HasNonDisplayCharacter(Upper(kept)))
        reasons.push_back(LoadResString(IDS_NOTE_NAME_FILTERED));
    return FormatText(LoadResString(IDS_NOTE_NAME),
                      {ChannelLabel(ch), typed, stored, JoinReasons(reasons)});
}

} // namespace

bool IsNameSpelledOrCut(const std::string& typed)
{
    const std::string spelled = SpelledForDisplay(typed);
    size_t characters = 0;
    FirstCharacters(TrimRight(spelled), kNameLength, &characters);
    return spelled != typed || characters > kNameLength;
}

std::vector<std::string> ExplainChannelEntry(const CR455Radio& radio, const CChannelEntry& entry,
                                             bool undoHint)
{
    std::vector<std::string> notes;
    if (entry.channel < 1 || entry.channel > CR455Radio::kChannelCount)
        return notes;
    for (const std::string& note :
         {entry.hasFrequency ? FrequencyNote(radio, entry, undoHint) : std::string(),
          entry.hasName ? NameNote(radio, entry) : std::string()}) {
        if (!note.empty())
            notes.push_back(note);
    }
    return notes;
}

void CollectChannelEntry(const std::string& command, std::vector<CChannelEntry>& entries)
{
    const size_t equals = command.find('=');
    if (equals == std::string::npos || !StartsWith(Upper(command), "CH.MCH."))
        return;
    const std::string key = command.substr(0, equals);
    const size_t dot = key.find('.', 7);
    if (dot == std::string::npos)
        return;
    const std::string number = key.substr(7, dot - 7);
    if (number.empty() || number.size() > 2 ||
        number.find_first_not_of("0123456789") != std::string::npos)
        return;
    const unsigned ch = static_cast<unsigned>(std::stoi(number));
    const std::string field = key.substr(dot + 1);
    const bool frequency = EqualsNoCase(field, "FREQUENCY");
    const bool name = EqualsNoCase(field, "NAME");
    if (ch < 1 || ch > CR455Radio::kChannelCount || !(frequency || name) ||
        equals + 1 == command.size())
        return; // not a channel's frequency or name, or a query
    auto it = std::find_if(entries.begin(), entries.end(),
                           [ch](const CChannelEntry& e) { return e.channel == ch; });
    if (it == entries.end()) {
        entries.push_back(CChannelEntry());
        it = entries.end() - 1;
        it->channel = ch;
    }
    const std::string value = command.substr(equals + 1);
    if (frequency) {
        it->hasFrequency = true;
        it->frequency = value;
    } else {
        it->hasName = true;
        it->name = value;
    }
}

std::string OpeningTextNote(const std::string& typed, const std::string& stored)
{
    const std::string shown = TrimRight(typed);
    if (shown == stored)
        return std::string();
    std::vector<std::string> reasons;
    const std::string spelled = TrimRight(SpelledForDisplay(shown));
    if (spelled != shown)
        reasons.push_back(LoadResString(IDS_NOTE_NAME_SPELLED));
    // The engine keeps the text's first 7 bytes, whole letters only.
    if (spelled != stored)
        reasons.push_back(LoadResString(IDS_NOTE_NAME_CUT));
    return FormatText(LoadResString(IDS_NOTE_OPENING_TEXT), {shown, stored, JoinReasons(reasons)});
}

std::string JoinNotes(const std::vector<std::string>& notes)
{
    std::string text;
    for (const std::string& note : notes)
        text += (text.empty() ? "" : "  ") + note;
    return text;
}
