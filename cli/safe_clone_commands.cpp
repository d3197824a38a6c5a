#include "cli/safe_clone_commands.h"

#include <ostream>

#include "cli/cli_args.h"
#include "cli/clone_session.h"
#include "cli/document_io.h"
#include "clone/connection_doctor.h"
#include "radio/data_differences.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

int RunCompareCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("compare", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 1) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    const std::string& file = parsed.Positional()[0];
    CR455Radio document;
    NewDocument(document);
    std::string word;
    if (!OpenDocument(document, file, word)) {
        io.err << FormatText(LoadResString(IDS_CLI_FILE_ERROR), {file, word}) << '\n';
        return kExitUsage;
    }
    CCloneSession session(io, options);
    if (!session.IsReady(io, "compare"))
        return CCloneLink::kResultPortError;
    const int result = session.Read();
    if (result != CCloneLink::kResultOk)
        return result == CCloneOperations::kDeclined ? CCloneLink::kResultCancelled : result;

    const std::vector<CDataDifference> differences = ListDifferences(document, session.Radio());
    if (differences.empty())
        io.out << LoadResString(IDS_COMPARE_SAME) << '\n';
    for (const CDataDifference& difference : differences)
        io.out << FormatDifference(difference) << '\n';
    return differences.empty() ? kExitOk : kExitFailure;
}

int RunDoctorCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("doctor", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 0) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    CCloneSession session(io, options);
    if (!session.IsReady(io, "doctor"))
        return kExitFailure;
    const std::string port = session.GetPortDevice();
    const CConnectionDoctor doctor("/", CDoctorUser::Current());
    // Each finding as soon as it is known: the information run takes a few seconds.
    io.out << CConnectionDoctor::Format(doctor.CheckAll(port)) << std::flush;
    bool answered = false;
    const CDoctorFinding run = CConnectionDoctor::RunInformation(session.Host(), port, &answered);
    io.out << CConnectionDoctor::Format({run}) << std::flush;
    return answered ? kExitOk : kExitFailure;
}
