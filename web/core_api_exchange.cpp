// The page's door to the core for channel exchange: Import and Export Channels (the project's
// CSV and CHIRP's layout, with the import dialog's plan), Paste Rows, and Import Airport
// Frequencies with its list. Texts cross as UTF-8, bytes through the module's memory; a text
// returned stays valid until the core hands the page the next one (HandToPage).

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <emscripten.h>

#include "exchange/airport_import.h"
#include "exchange/airport_list.h"
#include "exchange/channel_csv.h"
#include "exchange/channel_exchange.h"
#include "exchange/chirp_csv.h"
#include "radio/air_channel.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"
#include "web/json_text.h"
#include "web/web_document.h"

namespace {

// What a command did, for the page to show; a change marks the data set edited.
std::string Outcome(const CExchangeOutcome& outcome)
{
    if (outcome.changed)
        PageDocument().Radio().SetEdited(true);
    CJsonObject answer;
    answer.Add("changed", outcome.changed);
    answer.Add("failure", outcome.failure);
    answer.Add("status", outcome.status);
    answer.Add("summary", outcome.summary);
    return answer.Text();
}

// The file in CHIRP's layout that the import dialog shows, with its name and the plan as the
// dialog stands.
struct CChirpFile {
    std::string name;
    std::string text;
    CChirpImportPlan plan;
} g_chirp;

// The airport list the dialog works on, the rows the idents typed found, and the plan.
struct CAirports {
    CAirportList list;
    std::vector<CAirportChoice> choices;
    CAirportImportPlan plan;
} g_airports;

// Numbers separated by blanks.
std::set<uint32_t> ReadNumbers(const char* text)
{
    std::set<uint32_t> numbers;
    std::istringstream in(text);
    for (uint32_t n; in >> n;)
        numbers.insert(n);
    return numbers;
}

} // namespace

extern "C" {

// The channels in the project's CSV (`layout` 0) or CHIRP's layout (1).
EMSCRIPTEN_KEEPALIVE const char* pwr_export_channels(int layout)
{
    const CR455Radio& radio = PageDocument().Radio();
    return HandToPage(layout == 1 ? ExportChannelsChirpCsv(radio) : ExportChannelsCsv(radio));
}

EMSCRIPTEN_KEEPALIVE const char* pwr_export_failure(const char* name, const char* reason)
{
    return HandToPage(DescribeExportFailure(name, reason));
}

// File > Import Channels... of the file `name` with its bytes: a file in the project's CSV is
// imported at once (the outcome); one in CHIRP's layout is kept for the dialog ("chirp": true)
// unless it cannot be offered at all (the failure).
EMSCRIPTEN_KEEPALIVE const char* pwr_import_channels(const char* name, const char* bytes,
                                                     unsigned length)
{
    CWebDocument& doc = PageDocument();
    if (length > kMaxCsvFileSize) {
        CExchangeOutcome refused;
        refused.failure = DescribeCsvReadFailure(name, true, "");
        return HandToPage(Outcome(refused));
    }
    std::string text(bytes, length);
    if (!IsChirpCsv(text))
        return HandToPage(Outcome(ImportChannelsStep(doc.Radio(), doc.History(), name, text)));
    CExchangeOutcome checked;
    checked.failure = CheckChirpImport(doc.Radio(), name, text);
    if (!checked.failure.empty())
        return HandToPage(Outcome(checked));
    g_chirp = {name, std::move(text), {}};
    return "{\"chirp\":true}";
}

// The dialog's plan with the rows by Location (`fillFrom` 0) or in order from channel
// `fillFrom`: its rows (line, Location, frequency, name, channel, why left out), the summary and
// whether Import is offered.
EMSCRIPTEN_KEEPALIVE const char* pwr_chirp_plan(unsigned fillFrom)
{
    std::string error;
    const bool planned =
        PlanChirpImport(PageDocument().Radio(), g_chirp.text, fillFrom, g_chirp.plan, &error);
    std::vector<std::vector<std::string>> rows;
    for (const CChirpRow& row : g_chirp.plan.rows) {
        char channel[8] = "";
        if (row.channel)
            std::snprintf(channel, sizeof channel, "%02u", row.channel);
        rows.push_back({std::to_string(row.line), row.location, row.frequency, row.name, channel,
                        row.channel ? "" : LoadResString(row.reasonId)});
    }
    CJsonObject answer;
    answer.AddRows("rows", rows);
    // The other placement may still take a file whose Locations this one refuses.
    answer.Add("summary", planned ? SummarizeChirpImport(g_chirp.plan) : error);
    answer.Add("placed", g_chirp.plan.Placed());
    return HandToPage(answer.Text());
}

// The dialog's Import: the last plan as one step.
EMSCRIPTEN_KEEPALIVE const char* pwr_chirp_apply()
{
    CWebDocument& doc = PageDocument();
    const CExchangeOutcome outcome =
        ApplyChirpImportStep(doc.Radio(), doc.History(), g_chirp.name, g_chirp.plan);
    g_chirp = {};
    return HandToPage(Outcome(outcome));
}

// Edit > Paste Rows at channel `first` with the clipboard's text (`held` 0: it holds none).
EMSCRIPTEN_KEEPALIVE const char* pwr_paste_rows(unsigned first, int held, const char* text)
{
    CWebDocument& doc = PageDocument();
    const std::string clipboard = held ? text : "";
    return HandToPage(Outcome(PasteRowsStep(doc.Radio(), doc.History(), first,
                                      held ? &clipboard : nullptr)));
}

// The airport list from a file's bytes: "" when loaded, else why not (the list stays as it was).
EMSCRIPTEN_KEEPALIVE const char* pwr_airport_load(const char* name, const char* bytes,
                                                  unsigned length)
{
    std::string error;
    if (g_airports.list.LoadNamed(name, std::string(bytes, length), &error))
        return "";
    return HandToPage(error);
}

EMSCRIPTEN_KEEPALIVE const char* pwr_airport_shipped_instead(const char* error)
{
    return HandToPage(FormatText(LoadResString(IDS_AIR_SHIPPED_INSTEAD), {error}));
}

// The rows of the airports `typed`, as the dialog lists them (ident, type, description, listed,
// stored as, name, channel, note; no "stored as" for one the transceiver cannot hold), and the
// line over the list.
EMSCRIPTEN_KEEPALIVE const char* pwr_airport_find(const char* typed)
{
    const CR455Radio& radio = PageDocument().Radio();
    const CAirportLookup lookup = FindAirports(g_airports.list, SplitIdents(typed));
    g_airports.choices = ChooseAirportRows(g_airports.list, lookup.rows, GetChannelGrid(radio));
    std::vector<std::vector<std::string>> rows;
    for (const CAirportChoice& choice : g_airports.choices) {
        const CAirportFrequency& row = g_airports.list.GetRow(choice.row);
        std::string stored, note = GetChoiceReason(choice);
        if (choice.CanHold()) {
            stored = FormatChannelMHz(choice.fit.storedHz);
            note = choice.txInhibit ? LoadResString(IDS_AIR_NOTE_TX_INHIBIT) : "";
        }
        rows.push_back({row.ident, row.type, row.description, row.frequency, stored, "", "", note});
    }
    CJsonObject answer;
    answer.AddRows("rows", rows);
    answer.Add("status",
               DescribeAirportChoices(g_airports.choices, lookup.unknown, radio.GetChSpacing()));
    return HandToPage(answer.Text());
}

// The plan of the rows found, but those of the rows listed in `unticked` (their numbers in the
// list found), from channel `from` into blank channels or (`overwrite`) every channel: each
// row's name and channel, and the summary.
EMSCRIPTEN_KEEPALIVE const char* pwr_airport_plan(const char* unticked, unsigned from,
                                                  int overwrite)
{
    const std::set<uint32_t> off = ReadNumbers(unticked);
    std::vector<CAirportChoice> ticked;
    for (size_t i = 0; i < g_airports.choices.size(); ++i) {
        if (g_airports.choices[i].CanHold() && !off.count(static_cast<uint32_t>(i)))
            ticked.push_back(g_airports.choices[i]);
    }
    g_airports.plan = PlanAirportImport(PageDocument().Radio(), g_airports.list, ticked, from,
                                        overwrite != 0);
    std::map<uint32_t, const CAirportPlacement*> byRow;
    for (const auto* placements : {&g_airports.plan.placed, &g_airports.plan.notPlaced}) {
        for (const CAirportPlacement& p : *placements)
            byRow[p.row] = &p;
    }
    std::vector<std::vector<std::string>> rows;
    for (const CAirportChoice& choice : g_airports.choices) {
        auto it = byRow.find(choice.row);
        if (it == byRow.end())
            rows.push_back({"", ""});
        else
            rows.push_back({it->second->name,
                            it->second->channel ? std::to_string(it->second->channel) : ""});
    }
    CJsonObject answer;
    answer.AddRows("rows", rows);
    answer.Add("summary", SummarizeAirportPlan(g_airports.plan));
    answer.Add("placed", static_cast<unsigned>(g_airports.plan.placed.size()));
    return HandToPage(answer.Text());
}

// The dialog's Import: the last plan as one step ("Import Airport Frequencies"); the summary
// names what did not fit.
EMSCRIPTEN_KEEPALIVE const char* pwr_airport_apply()
{
    CWebDocument& doc = PageDocument();
    return HandToPage(Outcome(ImportAirportsStep(doc.Radio(), doc.History(), g_airports.plan)));
}

} // extern "C"
