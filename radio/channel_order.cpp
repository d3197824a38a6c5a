#include "radio/channel_order.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <utility>

#include "radio/channel_edits.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

constexpr unsigned kCount = CR455Radio::kChannelCount;

// Everything a channel record holds, as the engine answers it.
struct CChannelContent {
    bool blank = true;
    std::string hertz;
    std::string name; // all 7 characters
    std::string txInhibit;
    std::string lockout;
};

CChannelContent ReadChannel(const CR455Radio& radio, unsigned ch)
{
    const std::string prefix = CR455Radio::ChPrefix(ch);
    CChannelContent content;
    content.blank = radio.GetChAppear(ch) == "OFF";
    // Hertz, not the megahertz text: that shows whole kilohertz only.
    content.hertz = radio.Query(prefix + "FREQUENCY.ByNumber");
    content.name = radio.Query(prefix + "NAME");
    content.txInhibit = radio.GetChTxInhibit(ch);
    content.lockout = radio.GetChLockout(ch);
    return content;
}

// One ALL command sets every field; the channel's heal then settles it as a paste would.
void WriteChannel(CR455Radio& radio, unsigned ch, const CChannelContent& content)
{
    radio.Command(CR455Radio::ChPrefix(ch) + "ALL=APPEAR=" + (content.blank ? "OFF" : "ON") +
                  "\tFREQUENCY.ByNumber=" + content.hertz + "\tNAME=" + content.name +
                  "\tTXINHIBIT=" + content.txInhibit + "\tCHLOCKOUT=" + content.lockout);
    radio.HealCh(ch);
}

// Only a channel the engine lets be blank may receive a blank one: an answer that is not "OK"
// forbids it (channel 1 answers "NG").
bool CanBeBlank(CR455Radio& radio, unsigned ch)
{
    return CChannelEdits(radio).BlankRule(ch) == EBlankRule::kMayBeBlank;
}

std::string Message(unsigned id, std::initializer_list<std::string> args = {})
{
    return FormatText(LoadResString(id), args);
}

void Tell(std::string* out, const std::string& text)
{
    if (out)
        *out = text;
}

unsigned Neighbour(unsigned ch, bool up)
{
    if (ch < 1 || ch > kCount)
        return 0;
    if (up)
        return ch - 1;
    return ch < kCount ? ch + 1 : 0;
}

// Moves COMMON.PRIOCH along with its channel: `newPosition(p)` is where channel p went.
template <class F>
void FollowPriority(CR455Radio& radio, F newPosition)
{
    const int current = DecimalValue(radio.GetPrioCh());
    if (current < 1 || current > static_cast<int>(kCount))
        return;
    const unsigned moved = newPosition(static_cast<unsigned>(current));
    if (moved != static_cast<unsigned>(current))
        radio.SetPrioCh(std::to_string(moved));
}

} // namespace

std::string ChannelLabel(unsigned ch)
{
    char text[16];
    std::snprintf(text, sizeof text, "CH %02u", ch);
    return text;
}

bool CanMoveChannel(CR455Radio& radio, unsigned ch, bool up, std::string* reason)
{
    const unsigned other = Neighbour(ch, up);
    if (other == 0) {
        Tell(reason, Message(IDS_MOVE_NO_NEIGHBOUR, {ChannelLabel(ch)}));
        return false;
    }
    // Either channel may arrive blank where a channel must stay in use.
    for (const auto& [from, to] : {std::pair(ch, other), std::pair(other, ch)}) {
        if (radio.GetChAppear(from) == "OFF" && !CanBeBlank(radio, to)) {
            Tell(reason, Message(IDS_MOVE_NOT_BLANK, {ChannelLabel(to), ChannelLabel(from)}));
            return false;
        }
    }
    return true;
}

unsigned MoveChannel(CR455Radio& radio, unsigned ch, bool up, std::string* message)
{
    if (!CanMoveChannel(radio, ch, up, message))
        return 0;
    const unsigned other = Neighbour(ch, up);
    const CChannelContent moving = ReadChannel(radio, ch);
    WriteChannel(radio, ch, ReadChannel(radio, other));
    WriteChannel(radio, other, moving);
    FollowPriority(radio, [&](unsigned p) { return p == ch ? other : p == other ? ch : p; });
    Tell(message, Message(IDS_MOVE_DONE, {ChannelLabel(ch), ChannelLabel(other)}));
    return other;
}

ESortOutcome SortChannels(CR455Radio& radio, EChannelSortKey key, std::string* message)
{
    // Index 0 stays unused, so that contents[n] is channel n.
    std::array<CChannelContent, kCount + 1> contents;
    for (unsigned ch = 1; ch <= kCount; ++ch)
        contents[ch] = ReadChannel(radio, ch);

    // order[i] is the channel that goes to position i + 1.
    std::array<unsigned, kCount> order;
    std::iota(order.begin(), order.end(), 1u);
    std::stable_sort(order.begin(), order.end(), [&](unsigned a, unsigned b) {
        const CChannelContent& x = contents[a];
        const CChannelContent& y = contents[b];
        if (x.blank != y.blank)
            return y.blank;
        if (key == EChannelSortKey::kFrequency)
            return DecimalValue(x.hertz) < DecimalValue(y.hertz);
        const std::string nameX = TrimRight(x.name);
        const std::string nameY = TrimRight(y.name);
        if (nameX.empty() != nameY.empty())
            return nameY.empty();
        return nameX < nameY;
    });

    for (unsigned i = 0; i < kCount; ++i) {
        const unsigned to = i + 1;
        if (contents[order[i]].blank && !CanBeBlank(radio, to)) {
            Tell(message, Message(IDS_SORT_NOT_BLANK, {ChannelLabel(to)}));
            return ESortOutcome::kRefused;
        }
    }
    bool moved = false;
    for (unsigned i = 0; i < kCount; ++i) {
        if (order[i] != i + 1) {
            WriteChannel(radio, i + 1, contents[order[i]]);
            moved = true;
        }
    }
    if (!moved) {
        Tell(message, Message(IDS_SORT_IN_ORDER));
        return ESortOutcome::kAlreadyInOrder;
    }
    FollowPriority(radio, [&](unsigned p) {
        return static_cast<unsigned>(std::find(order.begin(), order.end(), p) - order.begin()) + 1;
    });
    Tell(message, Message(key == EChannelSortKey::kFrequency ? IDS_SORT_DONE_FREQUENCY
                                                             : IDS_SORT_DONE_NAME));
    return ESortOutcome::kSorted;
}
