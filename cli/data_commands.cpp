#include "cli/data_commands.h"

#include <istream>
#include <ostream>

#include "cli/channel_listing.h"
#include "cli/cli_args.h"
#include "cli/document_report.h"
#include "engine/command_string.h"
#include "engine/engine_words.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/file_lock.h"
#include "radio/atomic_save.h"
#include "exchange/channel_csv.h"
#include "radio/channel_order.h"
#include "exchange/chirp_csv.h"
#include "exchange/data_differences.h"
#include "radio/document_io.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "exchange/text_encoding.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

using EngineWord::kOk;

// Longest line of commands exec takes from its standard input: far beyond any command (a file
// command with the longest path), short enough that an endless line cannot exhaust memory.
constexpr size_t kMaxCommandLine = 64 * 1024;

// FILE.SAVE and FILE.LOAD would read and write any path, past every check that -i and -o make.
bool IsFileCommand(const std::string& command)
{
    const CCommandString key(CCommandString(command).Field('=', 0));
    return EqualsNoCase(key.Field('.', 0), "File");
}

enum class LineRead { kLine, kEnd, kTooLong };

// Reads one line without its LF and one CR before it; a line longer than `limit` is not kept.
LineRead ReadLine(std::istream& in, std::string& line, size_t limit)
{
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return LineRead::kLine;
        }
        if (line.size() >= limit)
            return LineRead::kTooLong;
        line.push_back(static_cast<char>(c));
    }
    return line.empty() ? LineRead::kEnd : LineRead::kLine;
}

// A file in CHIRP's layout: the rows the transceiver can hold, then what became of each row.
int ImportChirpCsv(CR455Radio& radio, const std::string& csv, const std::string& csvPath,
                   unsigned from, const std::string& output, CCliIo& io)
{
    CChirpImportPlan plan;
    std::string error;
    if (!PlanChirpImport(radio, csv, from, plan, &error)) {
        ReportFileError(io, csvPath, error);
        return kExitFailure;
    }
    std::vector<std::string> notes;
    ApplyChirpImport(radio, plan, &notes);
    if (!SaveDocumentOrReport(radio, output, io))
        return kExitFailure;
    io.out << SummarizeChirpImport(plan) << '\n';
    for (const std::string& note : notes)
        io.err << note << '\n';
    return kExitOk;
}

} // namespace

int RunNewCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("new", {});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    CR455Radio radio;
    radio.ResetData();
    return SaveDocumentOrReport(radio, parsed.Positional()[0], io) ? kExitOk : kExitFailure;
}

int RunCheckCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("check", {});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    // Opened exactly as File Open opens it, so that check and the desktop program agree.
    CR455Radio radio;
    radio.ResetData();
    std::string detail;
    const std::string answer = OpenDocument(radio, parsed.Positional()[0], &detail);
    // The word alone on standard output is for programs; people read the reason beside it.
    if (IsResultWord(answer))
        io.out << answer << '\n';
    if (answer != kOk)
        ReportOpenFailure(io, parsed.Positional()[0], answer, detail);
    return answer == kOk ? kExitOk : kExitFailure;
}

int RunExecCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("exec", {"-i", "-o"}, {"--explain"});
    if (!parsed.Parse(args, io))
        return kExitUsage;
    const std::string* output = parsed.Option("-o");
    CFileLock lock(output ? *output : std::string());
    if (output && !LockForUpdate(lock, *output, io))
        return kExitFailure;
    CR455Radio radio;
    radio.ResetData();
    if (const std::string* input = parsed.Option("-i")) {
        if (!OpenDocumentOrReport(radio, *input, io))
            return kExitFailure;
    }
    std::vector<CChannelEntry> typed;
    // Texts of a data file may hold escape sequences: a terminal gets them as blanks.
    const bool terminal = IsStandardOutputTerminal();
    auto run = [&](const std::string& command) {
        std::string answer;
        if (IsFileCommand(command))
            io.err << LoadResString(IDS_CLI_EXEC_FILE_COMMAND) << '\n';
        else
            answer = radio.Command(command);
        if (terminal)
            answer = PrintableText(answer);
        io.out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        io.out << '\n';
        CollectChannelEntry(command, typed);
    };
    if (!parsed.Positional().empty()) {
        for (const std::string& command : parsed.Positional())
            run(command);
    } else {
        std::string line;
        size_t number = 0;
        for (LineRead read; (read = ReadLine(io.in, line, kMaxCommandLine)) != LineRead::kEnd;) {
            ++number;
            if (read == LineRead::kTooLong) {
                io.out.flush();
                io.err << FormatText(LoadResString(IDS_CLI_LINE_TOO_LONG),
                                     {std::to_string(number), std::to_string(kMaxCommandLine)})
                       << '\n';
                return kExitFailure;
            }
            run(line);
        }
    }
    io.out.flush();
    if (parsed.Flag("--explain")) {
        // Band and grid apply at the heal that a save runs too.
        radio.Heal();
        for (const CChannelEntry& entry : typed) {
            for (const std::string& note : ExplainChannelEntry(radio, entry))
                io.err << note << '\n';
        }
    }
    if (output && !SaveDocumentOrReport(radio, *output, io))
        return kExitFailure;
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
        io.out << key << '=' << PrintableText(value) << '\n';
    }
    return kExitOk;
}

int RunExportCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("export", {"-o", "--format"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    const std::string* format = parsed.Option("--format");
    if (format && *format != "pwr455" && *format != "chirp")
        return parsed.Usage(io, IDS_CLI_BAD_FORMAT, *format);
    const std::string& input = parsed.Positional()[0];
    const std::string* output = parsed.Option("-o");
    if (output && !IsDistinctOutput(*output, {input}, io))
        return kExitFailure;
    CR455Radio radio;
    if (!OpenDocumentOrReport(radio, input, io))
        return kExitFailure;
    const std::string csv = format && *format == "chirp" ? ExportChannelsChirpCsv(radio)
                                                         : ExportChannelsCsv(radio);
    if (!output) {
        io.out << ForStandardStream(csv);
        return kExitOk;
    }
    std::string error;
    if (SaveAtomically(
            *output, [&](std::ostream& out) { out << csv; }, &error))
        return kExitOk;
    ReportCannotSave(io, *output, error);
    return kExitFailure;
}

int RunImportCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("import", {"-i", "-o", "--from"});
    if (!parsed.Parse(args, io, 1))
        return kExitUsage;
    const std::string* output = parsed.Option("-o");
    if (!output)
        return parsed.MissingOption(io, "-o");
    unsigned from = 0;
    if (const std::string* text = parsed.Option("--from");
        text && !ParseChannelNumber(*text, &from))
        return parsed.Usage(io, IDS_CLI_BAD_FROM, *text);
    const std::string& csvPath = parsed.Positional()[0];
    CFileLock lock(*output);
    if (!IsDistinctOutput(*output, {csvPath}, io) || !LockForUpdate(lock, *output, io))
        return kExitFailure;
    std::string csv;
    std::string reason = LoadResString(IDS_OPEN_CANNOT_READ);
    switch (ReadCsvFile(csvPath, csv, &reason)) {
    case EFileError::None:
        break;
    case EFileError::TooLarge:
        io.err << FormatText(LoadResString(IDS_CLI_TOO_LARGE),
                             {csvPath, std::to_string(kMaxCsvFileSize)})
               << '\n';
        return kExitFailure;
    case EFileError::NotRegular:
        ReportFileError(io, csvPath, LoadResString(IDS_OPEN_NOT_REGULAR));
        return kExitFailure;
    default:
        io.err << FormatText(LoadResString(IDS_CLI_CANNOT_READ), {csvPath, reason}) << '\n';
        return kExitFailure;
    }
    CR455Radio radio;
    radio.ResetData();
    if (const std::string* base = parsed.Option("-i")) {
        if (!OpenDocumentOrReport(radio, *base, io))
            return kExitFailure;
    }
    if (IsChirpCsv(csv))
        return ImportChirpCsv(radio, csv, csvPath, from, *output, io);
    if (from)
        return parsed.Usage(io, IDS_CLI_FROM_CHIRP_ONLY);
    std::string error;
    std::vector<std::string> notes;
    if (!ImportChannelsCsv(radio, csv, &error, &notes)) {
        ReportFileError(io, csvPath, error);
        return kExitFailure;
    }
    if (!SaveDocumentOrReport(radio, *output, io))
        return kExitFailure;
    for (const std::string& note : notes)
        io.err << note << '\n';
    return kExitOk;
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
    CFileLock lock(*output);
    if (!LockForUpdate(lock, *output, io))
        return kExitFailure;
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
