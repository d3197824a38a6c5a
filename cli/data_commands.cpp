#include "cli/data_commands.h"

#include <istream>
#include <ostream>

#include "cli/channel_listing.h"
#include "cli/cli_args.h"
#include "cli/document_io.h"
#include "radio/atomic_save.h"
#include "radio/channel_csv.h"
#include "radio/channel_order.h"
#include "radio/entry_notes.h"
#include "radio/data_differences.h"
#include "radio/r455_radio.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

const char kOk[] = "OK";

} // namespace

int RunNewCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("new", {});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    CR455Radio radio;
    NewDocument(radio);
    return SaveDocumentOrReport(radio, parsed.Positional()[0], io) ? kExitOk : kExitFailure;
}

int RunCheckCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("check", {});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    // Opened exactly as File Open opens it, so that check and the desktop program agree.
    CR455Radio radio;
    NewDocument(radio);
    std::string word = kOk;
    const bool opened = OpenDocument(radio, parsed.Positional()[0], word);
    io.out << word << '\n';
    return opened ? kExitOk : kExitFailure;
}

int RunExecCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("exec", {"-i", "-o"}, {"--explain"});
    if (!parsed.Parse(args, io))
        return kExitUsage;
    CR455Radio radio;
    NewDocument(radio);
    if (const std::string* input = parsed.Option("-i")) {
        std::string word;
        if (!OpenDocument(radio, *input, word)) {
            io.err << word << '\n';
            return kExitFailure;
        }
    }
    std::vector<SChannelEntry> typed;
    auto run = [&](const std::string& command) {
        std::string answer = radio.Command(command);
        io.out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        io.out << '\n';
        CollectChannelEntry(command, typed);
    };
    if (!parsed.Positional().empty()) {
        for (const std::string& command : parsed.Positional())
            run(command);
    } else {
        std::string line;
        while (std::getline(io.in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            run(line);
        }
    }
    io.out.flush();
    if (parsed.Flag("--explain")) {
        // Band and grid apply at the heal that a save runs too.
        radio.Heal();
        for (const SChannelEntry& entry : typed) {
            for (const std::string& note : ExplainChannelEntry(radio, entry))
                io.err << note << '\n';
        }
    }
    if (const std::string* output = parsed.Option("-o")) {
        if (!SaveDocumentOrReport(radio, *output, io))
            return kExitFailure;
    }
    return kExitOk;
}

int RunShowCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("show", {});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    CR455Radio radio;
    if (!OpenDocumentOrReport(radio, parsed.Positional()[0], io))
        return kExitFailure;
    io.out << FormatChannelList(radio) << '\n';
    for (const char* key : CR455Radio::kSettingKeys) {
        std::string value;
        if (std::string(key) == "OPENING_TEXT")
            value = radio.GetOpeningText();
        else if (std::string(key) == "CLONE_COMMENT")
            value = radio.GetCloneComment();
        else
            value = radio.GetSetting(key);
        io.out << key << '=' << value << '\n';
    }
    return kExitOk;
}

int RunExportCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("export", {"-o"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    CR455Radio radio;
    if (!OpenDocumentOrReport(radio, parsed.Positional()[0], io))
        return kExitFailure;
    std::string csv = ExportChannelsCsv(radio);
    const std::string* output = parsed.Option("-o");
    if (!output) {
        io.out << csv;
        return kExitOk;
    }
    std::string error;
    if (!SaveAtomically(*output, [&](std::ostream& out) { out << csv; }, &error)) {
        io.err << FormatText(LoadResString(IDS_CLI_CANNOT_SAVE), {*output, error}) << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int RunImportCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("import", {"-i", "-o"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    const std::string* output = parsed.Option("-o");
    if (!output)
        return parsed.MissingOption(io, "-o");
    const std::string& csvPath = parsed.Positional()[0];
    std::string csv;
    if (!ReadWholeFile(csvPath, csv)) {
        io.err << FormatText(LoadResString(IDS_CLI_CANNOT_READ), {csvPath}) << '\n';
        return kExitFailure;
    }
    CR455Radio radio;
    NewDocument(radio);
    if (const std::string* base = parsed.Option("-i")) {
        if (!OpenDocumentOrReport(radio, *base, io))
            return kExitFailure;
    }
    std::string error;
    if (!ImportChannelsCsv(radio, csv, &error)) {
        ReportFileError(io, csvPath, error);
        return kExitFailure;
    }
    return SaveDocumentOrReport(radio, *output, io) ? kExitOk : kExitFailure;
}

int RunDiffCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("diff", {});
    if (!parsed.Parse(args, io, 2))
        return kExitUsage;
    CR455Radio a;
    CR455Radio b;
    if (!OpenDocumentOrReport(a, parsed.Positional()[0], io) ||
        !OpenDocumentOrReport(b, parsed.Positional()[1], io))
        return kExitUsage;
    const std::vector<CDataDifference> differences = ListDifferences(a, b);
    for (const CDataDifference& difference : differences)
        io.out << FormatDifference(difference) << '\n';
    return differences.empty() ? kExitOk : kExitFailure;
}

int RunSortCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("sort", {"--by", "-o"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    const std::string* by = parsed.Option("--by");
    if (!by)
        return parsed.MissingOption(io, "--by");
    const std::string* output = parsed.Option("-o");
    if (!output)
        return parsed.MissingOption(io, "-o");
    if (*by != "frequency" && *by != "name")
        return parsed.Usage(io, IDS_CLI_BAD_SORT_ORDER, *by);
    CR455Radio radio;
    if (!OpenDocumentOrReport(radio, parsed.Positional()[0], io))
        return kExitFailure;
    std::string message;
    const ESortOutcome outcome = SortChannels(
        radio, *by == "name" ? EChannelSortKey::kName : EChannelSortKey::kFrequency, &message);
    if (outcome == ESortOutcome::kRefused) {
        io.err << message << '\n';
        return kExitFailure;
    }
    io.out << message << '\n';
    return SaveDocumentOrReport(radio, *output, io) ? kExitOk : kExitFailure;
}
