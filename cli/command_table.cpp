#include "cli/air_commands.h"
#include "cli/cli_command.h"
#include "cli/clone_commands.h"
#include "cli/data_commands.h"
#include "cli/safe_clone_commands.h"
#include "res/resource_ids.h"
#include "sim/sim_transceiver.h"

// One line per command, in the order the tool's help lists them.
const std::vector<CCliCommand>& GetCliCommands()
{
    static const std::vector<CCliCommand> kCommands = {
        {"new", RunNewCommand, IDS_CLI_HELP_NEW},
        {"check", RunCheckCommand, IDS_CLI_HELP_CHECK},
        {"exec", RunExecCommand, IDS_CLI_HELP_EXEC},
        {"show", RunShowCommand, IDS_CLI_HELP_SHOW},
        {"export", RunExportCommand, IDS_CLI_HELP_EXPORT},
        {"import", RunImportCommand, IDS_CLI_HELP_IMPORT},
        {"diff", RunDiffCommand, IDS_CLI_HELP_DIFF},
        {"airports", RunAirportsCommand, IDS_CLI_HELP_AIRPORTS},
        {"card", RunCardCommand, IDS_CLI_HELP_CARD},
        {"sort", RunSortCommand, IDS_CLI_HELP_SORT},
        {"info", RunInfoCommand, IDS_CLI_HELP_INFO},
        {"read", RunReadCommand, IDS_CLI_HELP_READ},
        {"write", RunWriteCommand, IDS_CLI_HELP_WRITE},
        {"compare", RunCompareCommand, IDS_CLI_HELP_COMPARE},
        {"ports", RunPortsCommand, IDS_CLI_HELP_PORTS},
        {"simulate", RunSimulateCommand, IDS_CLI_HELP_SIMULATE, CSimTransceiver::IsSupported()},
        {"doctor", RunDoctorCommand, IDS_CLI_HELP_DOCTOR},
    };
    return kCommands;
}
