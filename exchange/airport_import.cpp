#include "exchange/airport_import.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "exchange/airport_list.h"
#include "exchange/channel_csv.h"
#include "radio/channel_edits.h"
#include "radio/display_spelling.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// !!! The length of a channel name in the transceiver. !!!
constexpr size_t kNameLength = 7;
constexpr size_t kIdentLength = 4;

const char* const kReceiveOnlyServices[] = {"ATIS", "AWOS", "ASOS", "VOLMET", "AWIS"};

// The letters and digits of `text`, upper case, with the display's letters ("Ørsta" gives
// ORSTA).
std::string NameCharacters(const std::string& text)
{
    std::string out;
    for (char c : Upper(SpelledForDisplay(text))) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
    }
    return out;
}

// The words of `text`: runs of letters and digits, upper case.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words(1);
    for (char c : Upper(SpelledForDisplay(text))) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            words.back() += c;
        else if (!words.back().empty())
            words.emplace_back();
    }
    return words;
}

std::string BaseName(const CAirportFrequency& row)
{
    std::string ident = NameCharacters(row.ident);
    if (ident.size() > kIdentLength)
        ident = ident.substr(ident.size() - kIdentLength);
    std::string service = NameCharacters(row.type);
    if (service.empty())
        service = NameCharacters(row.description);
    return (ident + service).substr(0, kNameLength);
}

std::string Numbered(const std::string& base, unsigned number)
{
    const std::string suffix = std::to_string(number);
    return base.substr(0, kNameLength - suffix.size()) + suffix;
}

} // namespace

bool IsReceiveOnlyService(const std::string& type)
{
    for (const std::string& word : Words(type)) {
        if (std::find(std::begin(kReceiveOnlyServices), std::end(kReceiveOnlyServices), word) !=
            std::end(kReceiveOnlyServices))
            return true;
    }
    return false;
}

std::vector<CAirportChoice> ChooseAirportRows(const CAirportList& list,
                                              const std::vector<uint32_t>& rows, EChannelGrid grid)
{
    std::vector<CAirportChoice> choices;
    choices.reserve(rows.size());
    for (uint32_t row : rows) {
        const CAirportFrequency& frequency = list.GetRow(row);
        CAirportChoice choice;
        choice.row = row;
        choice.txInhibit = IsReceiveOnlyService(frequency.type);
        if (ParseListedFrequency(frequency.frequency, &choice.channelHz))
            choice.fit = FitChannel(choice.channelHz, grid);
        else
            choice.fit.reasonId = IDS_AIR_NOT_A_FREQUENCY;
        choices.push_back(choice);
    }
    return choices;
}

std::string GetChoiceReason(const CAirportChoice& choice)
{
    return choice.CanHold() ? std::string() : LoadResString(choice.fit.reasonId);
}

std::vector<std::string> MakeChannelNames(const CAirportList& list,
                                          const std::vector<CAirportChoice>& chosen)
{
    std::vector<std::string> bases;
    std::map<std::string, unsigned> sharing;
    for (const CAirportChoice& choice : chosen) {
        bases.push_back(BaseName(list.GetRow(choice.row)));
        ++sharing[bases.back()];
    }
    // Numbering goes on past a number that another name already took.
    std::set<std::string> taken;
    std::map<std::string, unsigned> lastNumber;
    std::vector<std::string> names;
    for (const std::string& base : bases) {
        std::string name = base;
        if (sharing[base] > 1 || taken.count(name)) {
            do
                name = Numbered(base, ++lastNumber[base]);
            while (taken.count(name));
        }
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

CAirportImportPlan PlanAirportImport(const CR455Radio& radio, const CAirportList& list,
                                     const std::vector<CAirportChoice>& chosen, unsigned from,
                                     bool overwrite)
{
    std::vector<CAirportChoice> holdable;
    std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(holdable),
                 [](const CAirportChoice& c) { return c.CanHold(); });
    const std::vector<std::string> names = MakeChannelNames(list, holdable);
    CAirportImportPlan plan;
    unsigned ch = std::max(from, 1u);
    for (size_t i = 0; i < holdable.size(); ++i) {
        while (!overwrite && ch <= CR455Radio::kChannelCount && radio.GetChAppear(ch) != "OFF")
            ++ch;
        CAirportPlacement placement;
        placement.storedHz = holdable[i].fit.storedHz;
        placement.name = names[i];
        placement.txInhibit = holdable[i].txInhibit;
        placement.row = holdable[i].row;
        if (ch <= CR455Radio::kChannelCount) {
            placement.channel = ch++;
            plan.placed.push_back(placement);
        } else {
            plan.notPlaced.push_back(placement);
        }
    }
    return plan;
}

std::string NamePlacements(const std::vector<CAirportPlacement>& placements)
{
    std::string text;
    for (const CAirportPlacement& p : placements) {
        if (!text.empty())
            text += ", ";
        text += p.name + " " + FormatChannelMHz(p.storedHz);
    }
    return text;
}

std::string CompactChannels(const std::vector<CAirportPlacement>& placed)
{
    std::string text;
    for (size_t i = 0; i < placed.size();) {
        size_t j = i;
        while (j + 1 < placed.size() && placed[j + 1].channel == placed[j].channel + 1)
            ++j;
        if (!text.empty())
            text += ", ";
        text += std::to_string(placed[i].channel);
        if (j > i)
            text += "-" + std::to_string(placed[j].channel);
        i = j + 1;
    }
    return text;
}

std::string DescribeAirportChoices(const std::vector<CAirportChoice>& choices,
                                   const std::vector<std::string>& unknown,
                                   const std::string& spacing)
{
    if (choices.empty() && unknown.empty())
        return LoadResString(IDS_AIR_HINT);
    std::string status;
    if (!choices.empty()) {
        const auto holdable = std::count_if(choices.begin(), choices.end(),
                                            [](const CAirportChoice& c) { return c.CanHold(); });
        status = FormatText(LoadResString(IDS_AIR_FOUND),
                            {std::to_string(choices.size()), std::to_string(holdable), spacing});
    }
    if (!unknown.empty()) {
        std::string names;
        for (const std::string& ident : unknown)
            names += (names.empty() ? "" : ", ") + ident;
        status += (choices.empty() ? "" : " ") + FormatText(LoadResString(IDS_AIR_UNKNOWN), {names});
    }
    return status;
}

std::string SummarizeAirportPlan(const CAirportImportPlan& plan)
{
    std::string summary;
    if (plan.placed.empty() && plan.notPlaced.empty())
        summary = LoadResString(IDS_AIR_SUMMARY_NONE);
    if (!plan.placed.empty())
        summary = FormatText(LoadResString(IDS_AIR_SUMMARY_INTO),
                             {CompactChannels(plan.placed), std::to_string(plan.placed.size())});
    if (!plan.notPlaced.empty())
        summary += (summary.empty() ? "" : " ") +
                   FormatText(LoadResString(IDS_AIR_SUMMARY_NOT_FIT), {NamePlacements(plan.notPlaced)});
    return summary;
}

std::string DescribeAirportImport(const CAirportImportPlan& plan)
{
    if (plan.notPlaced.empty())
        return "";
    return FormatText(LoadResString(IDS_AIR_IMPORTED_NOT_FIT),
                      {std::to_string(plan.placed.size()), NamePlacements(plan.notPlaced)});
}

void ApplyAirportImport(CR455Radio& radio, const CAirportImportPlan& plan)
{
    CChannelEdits edits(radio);
    for (const CAirportPlacement& p : plan.placed)
        edits.SetInUse(p.channel, {p.name, p.txInhibit, false, FormatChannelMHz(p.storedHz)});
    radio.Heal();
}
