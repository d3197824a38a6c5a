#include "exchange/channel_exchange.h"

#include <vector>

#include "exchange/airport_import.h"
#include "exchange/channel_csv.h"
#include "exchange/chirp_csv.h"
#include "radio/channel_commands.h"
#include "radio/channel_order.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

CExchangeOutcome PasteRowsStep(CR455Radio& radio, CUndoHistory& history, unsigned first,
                               const std::string* text)
{
    CExchangeOutcome outcome;
    if (!text || text->empty() || text->size() > kMaxClipboardText) {
        outcome.status = LoadResString(IDS_PASTE_ROWS_NONE);
        return outcome;
    }
    unsigned count = 0;
    std::string error;
    std::vector<std::string> notes;
    bool pasted = false;
    history.Record(UndoStepName(IDS_STEP_PASTE_ROWS, first), [&] {
        pasted = PasteChannelRows(radio, first, *text, &count, &error, &notes);
    });
    if (!pasted) {
        outcome.failure = FormatPercentS(LoadResString(IDS_PASTE_ROWS_FAILED), {error});
        return outcome;
    }
    if (count == 0) {
        outcome.status = LoadResString(IDS_PASTE_ROWS_NONE);
        return outcome;
    }
    outcome.changed = true;
    outcome.status =
        count == 1 ? FormatText(LoadResString(IDS_PASTE_ROW_DONE), {ChannelLabel(first)})
                   : FormatText(LoadResString(IDS_PASTE_ROWS_DONE),
                                {std::to_string(count), ChannelLabel(first),
                                 ChannelLabel(first + count - 1)});
    if (!notes.empty())
        outcome.status += "  " + JoinNotes(notes);
    return outcome;
}

std::string DescribeCsvReadFailure(const std::string& path, bool tooLarge,
                                   const std::string& reason)
{
    if (tooLarge)
        return FormatPercentS(LoadResString(IDS_CSV_FILE_TOO_LARGE), {path});
    return FormatPercentS(LoadResString(IDS_CSV_CANNOT_READ), {path, reason});
}

CExchangeOutcome ImportChannelsStep(CR455Radio& radio, CUndoHistory& history,
                                    const std::string& path, const std::string& text)
{
    CExchangeOutcome outcome;
    std::string error;
    std::vector<std::string> notes;
    bool imported = false;
    {
        CUndoStep step(history, UndoStepName(IDS_STEP_IMPORT));
        imported = ImportChannelsCsv(radio, text, &error, &notes);
    }
    if (!imported) {
        outcome.failure = FormatPercentS(LoadResString(IDS_CSV_IMPORT_FAILED), {path, error});
        return outcome;
    }
    outcome.changed = true;
    // Said once, in the status bar, as after Edit Memory.
    outcome.status = JoinNotes(notes);
    return outcome;
}

std::string CheckChirpImport(const CR455Radio& radio, const std::string& path,
                             const std::string& text)
{
    // Rows in order take any file of the layout that the dialog can offer at all.
    CChirpImportPlan check;
    std::string error;
    if (PlanChirpImport(radio, text, 1, check, &error))
        return "";
    return FormatPercentS(LoadResString(IDS_CSV_IMPORT_FAILED), {path, error});
}

CExchangeOutcome ApplyChirpImportStep(CR455Radio& radio, CUndoHistory& history,
                                      const std::string& path, const CChirpImportPlan& plan)
{
    CExchangeOutcome outcome;
    std::vector<std::string> notes;
    {
        CUndoStep step(history, UndoStepName(IDS_STEP_IMPORT));
        ApplyChirpImport(radio, plan, &notes);
    }
    outcome.changed = true;
    outcome.status = JoinNotes(notes);
    outcome.summary = path + "\n" + SummarizeChirpImport(plan);
    return outcome;
}

CExchangeOutcome ImportAirportsStep(CR455Radio& radio, CUndoHistory& history,
                                    const CAirportImportPlan& plan)
{
    CExchangeOutcome outcome;
    if (plan.placed.empty())
        return outcome;
    {
        CUndoStep step(history, UndoStepName(IDS_STEP_IMPORT_AIRPORTS));
        ApplyAirportImport(radio, plan);
    }
    outcome.changed = true;
    outcome.summary = DescribeAirportImport(plan);
    return outcome;
}

std::string DescribeExportFailure(const std::string& path, const std::string& reason)
{
    return FormatPercentS(LoadResString(IDS_CSV_CANNOT_EXPORT), {path, reason});
}
