#include "cli/air_commands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "card/card_renderer.h"
#include "cli/channel_listing.h"
#include "cli/cli_args.h"
#include "cli/document_report.h"
#include "platform/file_lock.h"
#include "exchange/airport_import.h"
#include "exchange/airport_list.h"
#include "radio/r455_radio.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// Ident, type, listed MHz, stored as, name, note, description of each row.
std::string ListChoices(const CAirportList& list, const std::vector<CAirportChoice>& choices)
{
    std::vector<CAirportChoice> holdable;
    std::copy_if(choices.begin(), choices.end(), std::back_inserter(holdable),
                 [](const CAirportChoice& c) { return c.CanHold(); });
    const std::vector<std::string> names = MakeChannelNames(list, holdable);
    const unsigned headings[] = {IDS_AIR_COLUMN_IDENT,      IDS_AIR_COLUMN_TYPE,
                                 IDS_AIR_COLUMN_LISTED,     IDS_AIR_COLUMN_STORED_AS,
                                 IDS_AIR_COLUMN_NAME,       IDS_AIR_COLUMN_NOTE,
                                 IDS_AIR_COLUMN_DESCRIPTION};
    std::vector<std::vector<std::string>> rows(1);
    for (unsigned id : headings)
        rows[0].push_back(LoadResString(id));
    size_t next = 0;
    for (const CAirportChoice& choice : choices) {
        const CAirportFrequency& row = list.GetRow(choice.row);
        std::string stored, name, note = GetChoiceReason(choice);
        if (choice.CanHold()) {
            stored = FormatChannelMHz(choice.fit.storedHz);
            name = names[next++];
            if (choice.txInhibit)
                note = LoadResString(IDS_AIR_NOTE_TX_INHIBIT);
        }
        rows.push_back({row.ident, row.type, row.frequency, stored, name, note, row.description});
    }
    return FormatColumns(rows);
}

// What an import did: each channel filled, then what could not be stored or did not fit.
void ReportImport(const CAirportList& list, const std::vector<CAirportChoice>& choices,
                  const CAirportImportPlan& plan, CCliIo& io)
{
    for (const CAirportPlacement& p : plan.placed)
        io.out << FormatText(LoadResString(IDS_CLI_AIR_PLACED),
                             {std::to_string(p.channel), FormatChannelMHz(p.storedHz), p.name})
               << '\n';
    for (const CAirportChoice& choice : choices) {
        if (choice.CanHold())
            continue;
        const CAirportFrequency& row = list.GetRow(choice.row);
        io.out << FormatText(LoadResString(IDS_CLI_AIR_NOT_STORED),
                             {row.ident, row.type, row.frequency, GetChoiceReason(choice)})
               << '\n';
    }
    if (!plan.notPlaced.empty())
        io.out << FormatText(LoadResString(IDS_CLI_AIR_NOT_FIT), {NamePlacements(plan.notPlaced)})
               << '\n';
}

} // namespace

int RunAirportsCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("airports", {"-i", "-o", "--from", "--data"}, {"--overwrite"});
    if (!parsed.Parse(args, io))
        return kExitUsage;
    std::string typed;
    for (const std::string& arg : parsed.Positional())
        typed += arg + ' ';
    const std::vector<std::string> idents = SplitIdents(typed);
    if (idents.empty())
        return parsed.Usage(io, IDS_CLI_WRONG_ARGUMENTS);
    unsigned from = 1;
    if (const std::string* text = parsed.Option("--from");
        text && !ParseChannelNumber(*text, &from))
        return parsed.Usage(io, IDS_CLI_BAD_FROM, *text);

    const std::string* data = parsed.Option("--data");
    const std::string listPath = data ? *data : GetDefaultAirportListPath();
    const std::string* output = parsed.Option("-o");
    CFileLock lock(output ? *output : std::string());
    if (output && (!IsDistinctOutput(*output, {listPath}, io) || !LockForUpdate(lock, *output, io)))
        return kExitFailure;
    CAirportList list;
    std::string error;
    if (!list.LoadFile(listPath, &error)) {
        io.err << FormatText(LoadResString(IDS_CLI_AIR_ERROR), {"airports", error}) << '\n';
        return kExitFailure;
    }
    const CAirportLookup lookup = FindAirports(list, idents);
    for (const std::string& ident : lookup.unknown)
        parsed.Usage(io, IDS_CLI_UNKNOWN_AIRPORT, ident);
    if (!lookup.unknown.empty())
        return kExitUsage;

    CR455Radio radio;
    radio.ResetData();
    const std::string* base = parsed.Option("-i");
    if (base && !OpenDocumentOrReport(radio, *base, io))
        return kExitFailure;
    const std::vector<CAirportChoice> choices = ChooseAirportRows(list, lookup.rows,
                                                                  GetChannelGrid(radio));
    if (!output) {
        io.out << ListChoices(list, choices);
        return kExitOk;
    }
    const CAirportImportPlan plan = PlanAirportImport(radio, list, choices, from,
                                                      parsed.Flag("--overwrite"));
    ApplyAirportImport(radio, plan);
    if (!SaveDocumentOrReport(radio, *output, io))
        return kExitFailure;
    ReportImport(list, choices, plan, io);
    return kExitOk;
}

int RunCardCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("card", {"-o", "--size"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    const std::string* output = parsed.Option("-o");
    if (!output)
        return parsed.MissingOption(io, "-o");
    ECardSize size = ECardSize::kA5;
    if (const std::string* word = parsed.Option("--size"); word && !ParseCardSize(*word, &size))
        return parsed.Usage(io, IDS_CLI_BAD_SIZE, *word);
    const std::string& path = parsed.Positional()[0];
    if (!IsDistinctOutput(*output, {path}, io))
        return kExitFailure;
    CR455Radio radio;
    if (!OpenDocumentOrReport(radio, path, io))
        return kExitFailure;
    // Any file name will do, shown with replacement characters where it is no UTF-8 text.
    const std::string name = PrintableText(std::filesystem::u8path(path).filename().u8string());
    std::string error;
    if (!WriteCardPdf(BuildCardData(radio, name, CardDateToday()), size, *output, &error)) {
        io.err << FormatText(LoadResString(IDS_CLI_CANNOT_SAVE), {*output, error}) << '\n';
        return kExitFailure;
    }
    return kExitOk;
}
