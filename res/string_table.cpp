#include "res/string_table.h"

#include <algorithm>
#include <iterator>

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

// Kept sorted by id. Texts are exact, blanks included.
const StringEntry kStrings[] = {
    {128, "PW-R455NORD\n\nPW-R455NORD Data\nData Files (*.QRB)\n.qrb\nPW-R455NORD.Document\nPW-R455NORD Document"},
    {156, "Cloning"},
    {5026, " Cloning completed."},
    {5027, " Err: Cannot read cloning data."},
    {5028, " Err: Cannot write cloning data."},
    {5029, " Err: Illegal information."},
    {5030, " The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not been cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision number is not compatible\n    with the programming software.\n\n In cases 1 or 2, the transceiver requires factory\n maintenance. In case 3, the transceiver cannot be\n programmed using this program.\n\n"},
    {5031, " Terminated cloning.  "},
    {5032, " Err: Cannot access RS-232C port."},
    {5033, " Err: No answer from transceiver."},
    {5034, " Clone writing succeeded. \n\n Turn the transceiver power off and on to use \n the transceiver under its new conditions.\n"},
    {5035, " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n - Transceiver power is ON."},
    {5040, " Now reading <- TR"},
    {5041, " Now writing -> TR"},
    {5054, " Read from transceiver"},
    {5055, " Data has been edited."},
    {5056, " Write to transceiver"},
    {5057, " The last CH is not blank. Cannot insert a blank channel."},
    {5059, " Overwite here ?    "},
    {5061, " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n - Appropriate cloning software for the transceiver is being used.\r\n - The revision number of the transceiver.\n"},
    {5065, "      "},
    {5070, " The temporary file for the cloning data cannot be created or opened.\n\n Check the free space and the permissions of the temporary folder."},
    {26000, "The file name cannot be used because it contains a double quote (\") or an equals sign (=)."},
    {26001, "The file could not be written."},
    {26010, "Line %1: the header row \"%2\" is missing."},
    {26011, "Line %1: %2 fields found, 5 expected."},
    {26012, "Line %1, field %2: \"%3\" is not a channel number from 1 to 20."},
    {26013, "Line %1, field %2: channel %3 appears more than once."},
    {26014, "Line %1, field %2: \"%3\" is not a frequency in MHz."},
    {26015, "Line %1, field %2: \"%3\" is neither ON nor OFF."},
    {26016, "Line %1, field %2: a blank channel (no frequency) cannot have a name."},
    {26017, "Line %1, field %2: the quoted field is not closed."},
    {26018, "Line %1, field %2: text follows the closing quote."},
    {26019, "Line %1, field %2: the field is too long."},
    {26100, "Usage: pwr455-cli COMMAND [ARGUMENTS]\n       pwr455-cli --help | --version\n\nWorks on PW-R455NORD clone data files (.qrb).\n\nCommands:\n"},
    {26101, "\nRun 'pwr455-cli COMMAND --help' for the details of a command.\n"},
    {26102, "pwr455-cli: unknown command '%1' (run 'pwr455-cli --help')"},
    {26103, "pwr455-cli %1: unknown option '%2' (run 'pwr455-cli %1 --help')"},
    {26104, "pwr455-cli %1: option '%2' needs a value"},
    {26105, "pwr455-cli %1: wrong arguments (run 'pwr455-cli %1 --help')"},
    {26106, "pwr455-cli: cannot save '%1': %2"},
    {26107, "pwr455-cli: cannot read '%1'"},
    {26108, "pwr455-cli: '%1': %2"},
    {26109, "pwr455-cli %1: option '%2' is required"},
    {26110, "pwr455-cli %1"},
    {26120, "pwr455-cli new OUT\nWrite a new data set to OUT.\n\nMakes a new data set, as File New does, and saves it to OUT as File Save does.\n"},
    {26121, "pwr455-cli check FILE\nCheck that FILE loads as a clone data file.\n\nPrints the load result alone on a line: OK, CANNOT_OPEN_FILE, FORMAT_ERROR,\nMISMATCH_MODEL, MISMATCH_REVISION, DATA_OVERFLOW or NOT_ENOUGH_DATA.\nExits with 0 for OK, 1 otherwise.\n"},
    {26122, "pwr455-cli exec [-i FILE] [-o OUT] [COMMAND ...]\nRun engine commands on a data set.\n\nStarts from a new data set, or from FILE opened as File Open does. Hands each\nCOMMAND, or when there is none each line of standard input, to the engine and\nprints each answer on a line of its own (an empty answer gives an empty line).\n\n  -i FILE   start from FILE; when it does not load, its result word goes to\n            standard error, nothing is written and the exit status is 1\n  -o OUT    save the data set to OUT afterwards, as File Save does\n  --        the arguments that follow are commands, even if they begin with '-'\n"},
    {26123, "pwr455-cli show FILE\nShow the memory channels and settings of FILE.\n\nPrints the 20 channels as the channel list shows them, then every setting\nwith its value.\n"},
    {26124, "pwr455-cli export FILE [-o OUT.csv]\nExport the memory channels of FILE as CSV.\n\nWrites a header row and one row per channel (number, frequency in MHz, name,\nTx inhibit, lockout; a blank channel has empty fields) to standard output,\nor to OUT.csv with -o.\n"},
    {26125, "pwr455-cli import IN.csv [-i BASE] -o OUT\nImport memory channels from CSV into a data set.\n\nSets the channels that IN.csv lists on BASE (a new data set without -i)\nthrough the engine's channel commands, so the band, the channel grid and the\nname rules apply, and saves the result to OUT. A bad row stops the import with\na message naming the line and the field, and nothing is written.\n"},
    {26126, "pwr455-cli diff A B\nList the settings and channel fields that differ between A and B.\n\nPrints one line per difference: KEY: \"value in A\" -> \"value in B\".\nExits with 0 when nothing differs, 1 when something does, 2 on an error.\n"},
    {26130, "CH"},
    {26131, "Prio"},
    {26132, "Frequency"},
    {26133, "Name"},
    {26134, "Tx Inhibit"},
    {26135, "Memory Lockout"},
    {26136, "Inhibit"},
    {26137, "Lockout"},
    {26160, "pwr455-cli info [PORT]\nShow the transceiver's model and clone comment.\n\nRuns Read Information: prints \"Model: VX-R455NORD\" and \"Comment: \" followed by the\n16 comment characters, or the status text and message of the failure.\n\nPORT is one of:\n  --port DEVICE  use the serial device DEVICE\n  --com N        use the device bound to COM N (1 to 4) in the program's settings;\n                 without a port option the program's selected COM port is used\n  --simulate     talk to an in-process simulated transceiver (with --fault NAME\n                 and --realtime as for 'simulate')\n\n  --quiet        no signal tones\n\nExit status: the clone result, 0 success, 1 cancelled, 77 failed,\n85 another transceiver model or revision, 91 port cannot be opened.\n"},
    {26161, "pwr455-cli read OUT [PORT]\nRead the transceiver's data and save them to OUT.\n\nRuns Read From Transceiver and saves the data read as File Save does (OUT is\nreplaced only when the whole file was written). Ctrl-C cancels the read.\nPORT and --quiet as for 'info'. Exit status: the clone result (see 'info').\n"},
    {26162, "pwr455-cli write FILE [PORT]\nWrite the data set FILE to the transceiver.\n\nOpens FILE as File Open does and runs Write to Transceiver. Ctrl-C cancels the\nwrite. PORT and --quiet as for 'info'. Exit status: the clone result (see 'info'),\n80 when the data could not be prepared for sending, 2 when FILE does not open.\n"},
    {26163, "pwr455-cli ports\nList the serial devices found and the COM port bindings.\n\nLists /dev/ttyS* (those with a serial port behind them), /dev/ttyUSB*,\n/dev/ttyACM* and /dev/serial/by-id/*, then the device bound to each of COM1\nto COM4 in the program's settings.\n"},
    {26164, "pwr455-cli simulate [--image FILE] [--fault NAME ...] [--realtime]\nServe a simulated transceiver on a pseudo-terminal.\n\nPrints the device path of the simulated transceiver as its first line, then\nanswers the cloning protocol on it until terminated (Ctrl-C).\n\n  --image FILE   start with the data of the clone data file FILE\n  --realtime     pace the line at 9600 baud (960 bytes per second)\n  --fault NAME   misbehave: silence, no-cable, wrong-model, wrong-revision,\n                 bad-comment, bad-checksum=K, bad-end, stall=K, refuse-write,\n                 too-few=N (K and N count data records from 1)\n"},
    {26165, "pwr455-cli %1: '%2' is not a COM port number (1 to 4)"},
    {26166, "pwr455-cli %1: unknown fault '%2' (run 'pwr455-cli %1 --help')"},
    {26167, "pwr455-cli %1: give only one of --port, --com and --simulate"},
    {26168, "pwr455-cli %1: cannot start the simulated transceiver (no pseudo-terminal)"},
    {26169, "not a clone data file"},
    {26200, "Save changes to %s?"},
    {26201, "%s\nCannot open this file:\n%s"},
    {26202, "%s\nThe file could not be saved:\n%s"},
    {26203, "The help book cannot be found:\n%s"},
    {26204, "Usage: pwr455 [--simulate] [FILE.qrb]\n       pwr455 --help | --version\n\nThe cloning software of the VX-R455NORD air-band transceiver.\n\n  FILE.qrb    open this clone data file\n  --simulate  run the clone commands against a simulated transceiver\n  --help      show this help and exit\n  --version   show the version and exit\n"},
    {26205, "PW-R455NORD Rev.1.0 (pwr455 %s)"},
    {26206, "Cloning software for the VX-R455NORD\nVHF air-band transceiver.\n\nReads the memory channels and settings from\nthe transceiver, lets you edit and save them,\nand writes them back through the cloning cable.\n\nCopyright (C) Vexa. All rights reserved."},
    {26207, "%s\nCannot find this file.\nPlease verify that the correct path and file name are given."},
    {26208, "All Files (*.*)"},
    {26220, "No items were selected"},
    {26221, "  "},
    {26300, " [simulated transceiver]"},
    {26301, "The simulated transceiver could not be started: no pseudo-terminal is available.\nThe clone commands use the serial ports."},
    {26302, "While the simulated transceiver is on, every COM port leads to it."},
    {32771, "Edit Memory\nEdit Memory"},
    {32774, "Read From Transceiver\nClone in"},
    {32775, "Write to Transceiver\nClone out"},
    {32776, "Read Information\nClone info."},
    {32779, "Indicate Others Sheet\nCommon Sheet"},
    {32790, "Use COM1\nCOM1"},
    {32791, "Use COM2\nCOM2"},
    {32792, "Use COM3\nCOM3"},
    {32793, "Use COM4\nCOM4"},
    {32794, "Choose the serial device of each COM port\nPort settings"},
    {32801, "Delete\nDelete"},
    {32802, "Insert\nInsert"},
    {57344, "PW-R455NORD"},
    {57345, "Ready"},
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    {57616, "Open this document"},
    {57617, "Open this document"},
    {57618, "Open this document"},
    {57619, "Open this document"},
    {57632, "Clear\nClear"},
    {57634, "Copy the selection and put it on the Clipboard\nCopy"},
    {57637, "Insert Clipboard contents\nPaste"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {57666, "List Help topics\nHelp Index"},
    {57667, "Opens Help.\nOpens Help."},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59392, "Show or hide the toolbar\nToggle ToolBar"},
    {59393, "Show or hide the status bar\nToggle StatusBar"},
    {61440, "Untitled"},
    {61728, "Unexpected file format."},
};

const StringEntry* Find(unsigned id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const StringEntry& e, unsigned v) { return e.id < v; });
    if (it == std::end(kStrings) || it->id != id)
        return nullptr;
    return it;
}

} // namespace

std::string LoadResString(unsigned id)
{
    const StringEntry* e = Find(id);
    return e ? std::string(e->text) : std::string();
}

bool HasResString(unsigned id)
{
    return Find(id) != nullptr;
}
