#include "res/string_table.h"

#include <algorithm>
#include <iterator>

#include "res/resource_ids.h"

// Marks a text for the translation catalog; the table keeps the English text itself.
#define N_(text) text

namespace {

struct CStringEntry {
    unsigned id;
    const char* text;
};

// Sorted by id, each id once: the compiler checks it below. Texts are exact, blanks included.
// clang-format off
constexpr CStringEntry kStrings[] = {
    // TRANSLATORS: Seven lines: the window title, an empty line, the name of the data file type, the file dialogs' filter "Data Files (*.QRB)", the extension, a type id, the type name. Translate only the third, fourth and seventh lines; keep "(*.QRB)", ".qrb" and "PW-R455NORD.Document" as they are.
    {IDR_MAINFRAME, N_("PW-R455NORD\n\nPW-R455NORD Data\nData Files (*.QRB)\n.qrb\nPW-R455NORD.Document\nPW-R455NORD Document")},
    {IDS_CLONE_CAPTION, N_("Cloning")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_COMPLETED, N_(" Cloning completed.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_READ_FAILED, N_(" Err: Cannot read cloning data.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_WRITE_FAILED, N_(" Err: Cannot write cloning data.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_ILLEGAL_INFO, N_(" Err: Illegal information.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_CANNOT_PROGRAM, N_(" The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not been cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision number is not compatible\n    with the programming software.\n\n In cases 1 or 2, the transceiver requires factory\n maintenance. In case 3, the transceiver cannot be\n programmed using this program.\n\n")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_TERMINATED, N_(" Terminated cloning.  ")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_PORT_ERROR, N_(" Err: Cannot access RS-232C port.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_NO_ANSWER, N_(" Err: No answer from transceiver.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_WRITE_SUCCEEDED, N_(" Clone writing succeeded. \n\n Turn the transceiver power off and on to use \n the transceiver under its new conditions.\n")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_CHECK_PORT, N_(" Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n - Transceiver power is ON.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_NOW_READING, N_(" Now reading <- TR")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_NOW_WRITING, N_(" Now writing -> TR")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_READ_QUESTION, N_(" Read from transceiver")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_DATA_EDITED, N_(" Data has been edited.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_WRITE_QUESTION, N_(" Write to transceiver")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_LAST_CH_NOT_BLANK, N_(" The last CH is not blank. Cannot insert a blank channel.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_OVERWRITE_HERE, N_(" Overwite here ?    ")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_CHECK_SOFTWARE, N_(" Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n - Appropriate cloning software for the transceiver is being used.\r\n - The revision number of the transceiver.\n")},
    // TRANSLATORS: Six blanks that reserve the width of a status bar pane: keep them.
    {IDS_BLANK_PANE, N_("      ")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CLONE_TRANSFER_FILE_ERROR, N_(" The temporary file for the cloning data cannot be created or opened.\n\n Check the free space and the permissions of the temporary folder.")},
    {IDS_OPENING_TEXT, N_("Opening Text")},
    {IDS_INDICATION_MODE, N_("Indication Mode")},
    {IDS_LCD_BACKLIGHT, N_("LCD Backlight")},
    {IDS_LCD_DIMMER, N_("LCD Dimmer")},
    {IDS_SCAN_MODE, N_("Scan Mode")},
    {IDS_PRIORITY_CH, N_("Priority CH")},
    {IDS_OPERATION_BEEP, N_("Operation Beep")},
    {IDS_UPDN_KEY_BEEP, N_("Up/Down Key Beep")},
    {IDS_SIDE_TONE, N_("Side Tone")},
    {IDS_SCAN_FUNCTION, N_("Scan Function")},
    {IDS_HANGER_SCAN, N_("Hanger Scan")},
    {IDS_ADJUST_MODE_ENABLE, N_("Adjust Mode Enable")},
    {IDS_VFO_MODE_ENABLE, N_("VFO Mode Enable")},
    {IDS_MEMORY_WRITE_ENABLE, N_("Memory Write Enable")},
    {IDS_VFO_TX_ENABLE, N_("VFO Tx Enable")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_LEVEL_LOW, N_("Low")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_LEVEL_HIGH, N_("High")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_LEVEL_OFF, N_("Off")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_INDICATE_FREQ, N_("Freq")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_INDICATE_TEXT, N_("Text")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short.
    {IDS_SCAN_MODE_NORMAL, N_("Normal")},
    // TRANSLATORS: A value in a narrow drop-down list of the settings: keep it short (Prio = priority channel).
    {IDS_SCAN_MODE_PRIO, N_("Prio")},
    // TRANSLATORS: Channel spacing as the transceiver's display writes it; keep the point: "8.33kHz".
    {IDS_SPACING_8_33K, N_("8.33kHz")},
    // TRANSLATORS: Channel spacing as the transceiver's display writes it.
    {IDS_SPACING_25K, N_("25kHz")},
    // TRANSLATORS: Channel spacing as the transceiver's display writes it; keep the point: "8.33kHz".
    {IDS_SPACING_BOTH, N_("25k/8.33kHz")},
    // TRANSLATORS: The tab of a settings page; the blanks at both ends are layout: keep them.
    {IDS_PAGE_COMMON, N_(" Common ")},
    // TRANSLATORS: The tab of a settings page; the blanks at both ends are layout: keep them.
    {IDS_PAGE_ADVANCED, N_(" Advanced ")},
    {IDS_FILE_NAME_NOT_USABLE, N_("The file name cannot be used because it contains a double quote (\") or an equals sign (=).")},
    {IDS_FILE_WRITE_FAILED, N_("The file could not be written.")},
    {IDS_SAVE_NOT_A_FILE_NAME, N_("not a file name")},
    {IDS_SAVE_READ_ONLY, N_("the file is read-only")},
    {IDS_SAVE_CANNOT_CREATE, N_("cannot create a new file in the target's folder")},
    {IDS_SAVE_CANNOT_WRITE, N_("cannot write the new file")},
    {IDS_SAVE_CANNOT_REPLACE, N_("cannot replace the file: %1")},
    {IDS_CSV_NO_HEADER, N_("Line %1: the header row \"%2\" is missing.")},
    {IDS_CSV_FIELD_COUNT, N_("Line %1: %2 fields found, 5 expected.")},
    {IDS_CSV_BAD_CHANNEL, N_("Line %1, field %2: \"%3\" is not a channel number from 1 to 20.")},
    {IDS_CSV_DUPLICATE_CHANNEL, N_("Line %1, field %2: channel %3 appears more than once.")},
    {IDS_CSV_BAD_FREQUENCY, N_("Line %1, field %2: \"%3\" is not a frequency in MHz.")},
    // TRANSLATORS: ON and OFF are the values written in the file: keep them.
    {IDS_CSV_BAD_FLAG, N_("Line %1, field %2: \"%3\" is neither ON nor OFF.")},
    {IDS_CSV_NAME_WITHOUT_FREQUENCY, N_("Line %1, field %2: a blank channel (no frequency) cannot have a name.")},
    {IDS_CSV_OPEN_QUOTE, N_("Line %1, field %2: the quoted field is not closed.")},
    {IDS_CSV_TEXT_AFTER_QUOTE, N_("Line %1, field %2: text follows the closing quote.")},
    {IDS_CSV_FIELD_TOO_LONG, N_("Line %1, field %2: the field is too long.")},
    {IDS_CSV_EMPTY_FILE, N_("Line %1: the file is empty.")},
    {IDS_CSV_UTF16_WITHOUT_BOM, N_("Line %1: this file is UTF-16 without a byte order mark; save it as UTF-8 or as UTF-16 with one.")},
    {IDS_CSV_UTF32, N_("Line %1: this file is UTF-32; save it as UTF-8 or UTF-16.")},
    {IDS_CSV_BROKEN_UTF16, N_("Line %1: this file is UTF-16, but a character in it is cut off or incomplete.")},
    {IDS_CSV_SPREADSHEET_DOCUMENT, N_("Line %1: this file is a spreadsheet document, not CSV text; save it from the spreadsheet as CSV.")},
    {IDS_CSV_OTHER_SEPARATOR, N_("Line %1: fields are separated by %2 here, but by %3 in the header row.")},
    {IDS_CSV_TABS, N_("tabs")},
    {IDS_CSV_NUL_BYTE, N_("Line %1, field %2: the field holds a NUL byte.")},
    {IDS_CSV_NAME_CHARACTER, N_("Line %1, field %2: the character \"%3\" cannot be stored in a name.")},
    {IDS_CSV_NOT_UTF8, N_("Line %1, field %2: byte 0x%3 is not UTF-8 text; save the file as UTF-8.")},
    {IDS_CSV_CHANNEL1_BLANK, N_("Line %1, field %2: channel 1 cannot be blank; give it a frequency.")},
    {IDS_CSV_ONE_FIELD, N_("Line %1: 1 field found, 5 expected.")},
    {IDS_SAVE_NOT_REGULAR, N_("not a regular file (a folder, a device, a pipe or a socket)")},
    {IDS_SAVE_SAME_AS_INPUT, N_("it is also the input file")},
    {IDS_SAVE_IS_DOCUMENT, N_("it is the file of the open document")},
    {IDS_TEMP_FILE_ERROR, N_("The temporary file cannot be created or opened.\n\nCheck the free space and the permissions of the temporary folder.")},
    {IDS_OPEN_CANNOT_READ, N_("the file cannot be read")},
    {IDS_OPEN_FORMAT_ERROR, N_("not a clone data file")},
    {IDS_OPEN_MISMATCH_MODEL, N_("a clone data file of another transceiver model")},
    {IDS_OPEN_MISMATCH_REVISION, N_("a clone data file of another revision")},
    {IDS_OPEN_DATA_OVERFLOW, N_("a record lies beyond the transceiver's memory")},
    {IDS_OPEN_NOT_ENOUGH_DATA, N_("incomplete: part of the transceiver's memory is missing")},
    {IDS_OPEN_NOT_REGULAR, N_("it is a folder or a device, not a data file")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_USAGE, N_("Usage: pwr455-cli COMMAND [ARGUMENTS]\n       pwr455-cli --help | --version\n\nWorks on PW-R455NORD clone data files (.qrb).\n\nCommands:\n")},
    {IDS_CLI_USAGE_FOOTER, N_("\nRun 'pwr455-cli COMMAND --help' for the details of a command.\n")},
    {IDS_CLI_UNKNOWN_COMMAND, N_("pwr455-cli: unknown command '%1' (run 'pwr455-cli --help')")},
    {IDS_CLI_UNKNOWN_OPTION, N_("pwr455-cli %1: unknown option '%2' (run 'pwr455-cli %1 --help')")},
    {IDS_CLI_MISSING_VALUE, N_("pwr455-cli %1: option '%2' needs a value")},
    {IDS_CLI_WRONG_ARGUMENTS, N_("pwr455-cli %1: wrong arguments (run 'pwr455-cli %1 --help')")},
    {IDS_CLI_CANNOT_SAVE, N_("pwr455-cli: cannot save '%1': %2")},
    {IDS_CLI_CANNOT_READ, N_("pwr455-cli: cannot read '%1': %2")},
    {IDS_CLI_FILE_ERROR, N_("pwr455-cli: '%1': %2")},
    {IDS_CLI_MISSING_OPTION, N_("pwr455-cli %1: option '%2' is required")},
    {IDS_CLI_VERSION, N_("pwr455-cli %1")},
    // TRANSLATORS: Starts the first line of a command's help, followed by its synopsis; keep the blank at the end.
    {IDS_CLI_USAGE_PREFIX, N_("Usage: ")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_NEW, N_("pwr455-cli new OUT\nWrite a new data set to OUT.\n\nMakes a new data set, as File New does, and saves it to OUT as File Save does.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_CHECK, N_("pwr455-cli check FILE\nCheck that FILE loads as a clone data file.\n\nOpens FILE as File Open does and prints the load result alone on a line: OK,\nCANNOT_OPEN_FILE, FORMAT_ERROR, MISMATCH_MODEL, MISMATCH_REVISION, DATA_OVERFLOW\nor NOT_ENOUGH_DATA; for any other result the reason in words, with the file's\nname, goes to standard error. Exits with 0 for OK, 1 otherwise.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_EXEC, N_("pwr455-cli exec [-i FILE] [-o OUT] [--explain] [COMMAND ...]\nRun engine commands on a data set.\n\nStarts from a new data set, or from FILE opened as File Open does. Hands each\nCOMMAND, or when there is none each line of standard input, to the engine and\nprints each answer on a line of its own (an empty answer gives an empty line).\nThe engine's file commands (FILE.LOAD, FILE.SAVE) are not run: they answer\nempty, with a note on standard error; -i and -o open and save files.\n\n  -i FILE   start from FILE; when it does not load, the reason goes to standard\n            error, nothing is written and the exit status is 1\n  -o OUT    save the data set to OUT afterwards, as File Save does\n  --explain afterwards, say on standard error where the engine stored a\n            channel's FREQUENCY or NAME otherwise than it was typed (band,\n            channel grid, not a number, name cut, upper case, filtered)\n  --        the arguments that follow are commands, even if they begin with '-'\n\nCommands are the engine's own language: names are taken as typed, without the\nspelling of Nordic letters that the desktop program and import give them; each\ncharacter the transceiver cannot show becomes one blank (NAME=\xC3\x98rsta gives\n\" RSTA  \").\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_SHOW, N_("pwr455-cli show FILE\nShow the memory channels and settings of FILE.\n\nPrints the 20 channels as the channel list shows them, then every setting\nwith its value.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_EXPORT, N_("pwr455-cli export FILE [--format pwr455|chirp] [-o OUT.csv]\nExport the memory channels of FILE as CSV.\n\nWrites a header row and one row per channel (number, frequency in MHz, name,\nTx inhibit, lockout; a blank channel has empty fields) to standard output,\nor to OUT.csv with -o. With --format chirp, writes the channels in use in the\nCSV layout of CHIRP, which other channel programmers read: Mode AM, TStep 25.00\nor 8.33, Duplex off for Tx inhibit, Skip S for lockout.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_IMPORT, N_("pwr455-cli import IN.csv [-i BASE] [--from CH] -o OUT\nImport memory channels from CSV into a data set.\n\nSets the channels that IN.csv lists on BASE (a new data set without -i)\nthrough the engine's channel commands, so the band, the channel grid and the\nname rules apply, and saves the result to OUT. Names are first spelled with the\nletters the transceiver has, as ICAO writes them (\xC3\x98rsta becomes ORSTA,\nF\xC3\xA6rder FAERDER). A bad row stops the import with a message naming the line and\nthe field, and nothing is written.\n\nA file in the CSV layout of CHIRP (recognised by its header row) fills each\nchannel from the row with that Location, or with --from the channels from CH on,\nin row order. Rows the transceiver cannot hold (a mode other than AM, a transmit\noffset or split, a frequency outside the air band, a Location past channel 20)\nare left out; a summary on standard output names them by line.\n")},
    {IDS_CLI_HELP_DIFF, N_("pwr455-cli diff A B\nList the settings and channel fields that differ between A and B.\n\nPrints one line per difference: KEY: \"value in A\" -> \"value in B\".\nExits with 0 when nothing differs, 1 when something does, 2 on an error.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_SORT, N_("pwr455-cli sort FILE --by frequency|name -o OUT\nSort the memory channels of FILE and save them to OUT.\n\nPuts the channels in use in order from channel 1, by frequency or by name\n(channels without a name after the named ones), and the blank channels after\nthem, as the program's Sort Channels does; the priority channel goes with its\nchannel. Prints what was done and saves to OUT as File Save does, also when\nthe channels were already in order.\n")},
    // TRANSLATORS: A column header of the channel list and the kneeboard card: a few characters (CH = channel). pwr455-cli show prints the English header whatever the language.
    {IDS_CLI_COLUMN_CH, N_("CH")},
    // TRANSLATORS: A column header of the channel list, and the mark of the priority channel in it: at most 4 or 5 characters.
    {IDS_CLI_COLUMN_PRIO, N_("Prio")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_CLI_COLUMN_FREQUENCY, N_("Frequency")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_CLI_COLUMN_NAME, N_("Name")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_CLI_COLUMN_TX_INHIBIT, N_("Tx Inhibit")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_CLI_COLUMN_LOCKOUT, N_("Memory Lockout")},
    // TRANSLATORS: The mark in the Tx Inhibit column of a channel: at most 8 characters.
    {IDS_CLI_CELL_INHIBIT, N_("Inhibit")},
    // TRANSLATORS: The mark in the Memory Lockout column of a channel: at most 8 characters.
    {IDS_CLI_CELL_LOCKOUT, N_("Lockout")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_INFO, N_("pwr455-cli info [PORT]\nShow the transceiver's model and clone comment.\n\nRuns Read Information: prints \"Model: VX-R455NORD\" and \"Comment: \" followed by the\n16 comment characters, or the status text and message of the failure.\n\nPORT is one of:\n  --port DEVICE  use the serial device DEVICE\n  --com N        use the device bound to COM N (1 to 4) in the program's settings;\n                 without a port option the program's selected COM port is used\n  --simulate     talk to an in-process simulated transceiver (with --fault NAME\n                 and --realtime as for 'simulate')\n\n  --quiet        no signal tones\n\nExit status: the clone result, 0 success, 1 cancelled, 77 failed,\n85 another transceiver model or revision, 91 port cannot be opened.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_READ, N_("pwr455-cli read OUT [PORT]\nRead the transceiver's data and save them to OUT.\n\nRuns Read From Transceiver and saves the data read as File Save does (OUT is\nreplaced only when the whole file was written). Ctrl-C cancels the read at any\nmoment before the save. PORT and --quiet as for 'info'. Exit status: the clone\nresult (see 'info'), 2 when OUT cannot be saved (checked before the read).\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_WRITE, N_("pwr455-cli write FILE [--fleet [--log LOG]] [PORT]\nWrite the data set FILE to the transceiver.\n\nOpens FILE as File Open does and runs Write to Transceiver. Ctrl-C cancels the\nwrite. PORT and --quiet as for 'info'. Exit status: the clone result (see 'info'),\n80 when the data could not be prepared for sending, 2 when FILE does not open.\n\n  --fleet    program one transceiver after another: wait for one to answer (an\n             information run every 2 seconds), write FILE, print a line (time,\n             clone comment, result), wait until it stops answering, and so on\n             until Ctrl-C; another model or revision is refused, never written.\n             Exit status 0 when every transceiver was written (and logged), 1 otherwise\n  --log LOG  with --fleet: also append each line to the file LOG\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_PORTS, N_("pwr455-cli ports [--find [--bind N] [--info]]\nList the serial devices found and the COM port bindings, or find the cable.\n\nLists /dev/ttyS* (those with a serial port behind them), /dev/ttyUSB*,\n/dev/ttyACM* and /dev/serial/by-id/*, then the device bound to each of COM1\nto COM4 in the program's settings. On Windows it lists the COM ports present,\neach with its name in the Device Manager.\n\n--find asks you (on the standard error) to unplug the cloning cable and plug it\nin again, and prints the port that came then, alone on the standard output.\nIt exits with 1 when no port came within a minute, or more than one came.\n--bind N binds COM N to that port and chooses it; --info then runs Read\nInformation on it.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_SIMULATE, N_("pwr455-cli simulate [--image FILE] [--fault NAME ...] [--realtime]\nServe a simulated transceiver on a pseudo-terminal.\n\nPrints the device path of the simulated transceiver as its first line, then\nanswers the cloning protocol on it until terminated (Ctrl-C).\n\n  --image FILE   start with the data of the clone data file FILE\n  --realtime     pace the line at 9600 baud (960 bytes per second)\n  --fault NAME   misbehave: silence, no-cable, wrong-model, wrong-revision,\n                 bad-comment, bad-checksum=K, bad-end, stall=K, refuse-write,\n                 too-few=N (K and N count data records from 1), garbage (an\n                 endless stream of frames for nobody)\n")},
    {IDS_CLI_BAD_COM_NUMBER, N_("pwr455-cli %1: '%2' is not a COM port number (1 to 4)")},
    {IDS_CLI_UNKNOWN_FAULT, N_("pwr455-cli %1: unknown fault '%2' (run 'pwr455-cli %1 --help')")},
    {IDS_CLI_ONE_PORT_OPTION, N_("pwr455-cli %1: give only one of --port, --com and --simulate")},
    {IDS_CLI_SIM_NOT_STARTED, N_("pwr455-cli %1: cannot start the simulated transceiver (no pseudo-terminal)")},
    {IDS_CLI_NOT_A_DATA_FILE, N_("not a clone data file")},
    {IDS_CLI_TOO_LARGE, N_("pwr455-cli: '%1' is too large (more than %2 bytes)")},
    {IDS_CLI_LINE_TOO_LONG, N_("pwr455-cli exec: line %1 of the standard input is longer than %2 characters")},
    {IDS_CLI_CANNOT_WRITE_OUTPUT, N_("pwr455-cli: the output could not be written")},
    {IDS_CLI_CANNOT_OPEN, N_("pwr455-cli: cannot open '%1': %2")},
    {IDS_CLI_BAD_SORT_ORDER, N_("pwr455-cli %1: '%2' is not a sort order (frequency or name)")},
    {IDS_APP_ASK_TO_SAVE, N_("Save changes to %s?")},
    {IDS_APP_CANNOT_OPEN, N_("%s\nCannot open this file:\n%s")},
    {IDS_APP_CANNOT_SAVE, N_("%s\nThe file could not be saved:\n%s")},
    {IDS_APP_NO_HELP, N_("The help book cannot be found:\n%s")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_APP_USAGE, N_("Usage: pwr455 [--simulate] [FILE.qrb]\n       pwr455 --help | --version\n\nThe cloning software of the VX-R455NORD air-band transceiver.\n\n  FILE.qrb    open this clone data file\n  --simulate  run the clone commands against a simulated transceiver\n  --help      show this help and exit\n  --version   show the version and exit\n")},
    // TRANSLATORS: "Rev.1.0" is the name of the program's revision: keep it.
    {IDS_APP_VERSION, N_("PW-R455NORD Rev.1.0 (pwr455 %s)")},
    {IDS_APP_ABOUT_NOTICE, N_("Cloning software for the VX-R455NORD\nVHF air-band transceiver.\n\nReads the memory channels and settings from\nthe transceiver, lets you edit and save them,\nand writes them back through the cloning cable.\n\nCopyright (C) Vexa. All rights reserved.")},
    {IDS_APP_ALL_FILES, N_("All Files (*.*)")},
    {IDS_APP_UNEXPECTED_FORMAT, N_("%s\nUnexpected file format: %s.")},
    {IDS_APP_UNKNOWN_OPTION, N_("pwr455: unknown option '%1' (run 'pwr455 --help')")},
    {IDS_APP_TOO_MANY_FILES, N_("pwr455: give one file at most (run 'pwr455 --help')")},
    // TRANSLATORS: A menu item: COM port name and its device.
    {IDS_PORT_MENU_ITEM, N_("%s (%s)")},
    {IDS_LIST_NO_SELECTION, N_("No items were selected")},
    // TRANSLATORS: Two blanks, the header of an empty spare column: keep them.
    {IDS_LIST_COLUMN_SPARE, N_("  ")},
    {IDS_LIST_ACCESSIBLE_NAME, N_("Memory channels")},
    {IDS_LIST_SPARE_ACCESSIBLE_NAME, N_("Spare")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_SIMULATE_TITLE, N_(" [simulated transceiver]")},
    {IDS_SIMULATE_NOT_STARTED, N_("The simulated transceiver could not be started: no pseudo-terminal is available.\nThe clone commands use the serial ports.")},
    {IDS_PORT_SIMULATE_NOTE, N_("While the simulated transceiver is on, every COM port leads to it.")},
    {IDS_BACKUP_NO_FOLDER, N_("no folder for backups: neither XDG_DATA_HOME nor HOME is set")},
    {IDS_BACKUP_CANNOT_MAKE_FOLDER, N_("cannot make the folder '%1'")},
    {IDS_BACKUP_CANNOT_SAVE, N_("cannot save '%1': %2")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_BACKUP_NOT_SAVED_STATUS, N_(" Cloning completed. The backup copy was not saved: %1")},
    {IDS_CLI_BACKUP_NOT_SAVED, N_("pwr455-cli: warning: the backup copy was not saved: %1")},
    {IDS_CLI_READ_KEPT_IN, N_("pwr455-cli: the data read are kept in the backup copy '%1'")},
    {IDS_BACKUP_COPY_TITLE, N_("Copy of backup %s")},
    {IDS_COMPARE_SAME, N_("The transceiver holds the same data as this document.")},
    {IDS_COMPARE_ONE_DIFFERENT, N_("1 setting or channel field differs between this document and the transceiver:")},
    {IDS_COMPARE_DIFFERENT, N_("%1 settings and channel fields differ between this document and the transceiver:")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_COMPARE_COLUMN_KEY, N_("Setting or field")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_COMPARE_COLUMN_DOCUMENT, N_("This document")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_COMPARE_COLUMN_TRANSCEIVER, N_("Transceiver")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_CONNECTION_CHECKING, N_(" Checking the connection...")},
    {IDS_CONNECTION_PORT, N_("Port checked: COM%1, device %2")},
    {IDS_COMPARE_BLANK_CHANNEL, N_("blank")},
    {IDS_COMPARE_CHANNEL_IN_USE, N_("in use")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_COMPARE, N_("pwr455-cli compare FILE [PORT]\nList what differs between FILE and the transceiver's data.\n\nReads the transceiver as 'read' does (the data read are kept as a backup copy)\nand prints one line per setting or channel field that differs, as 'diff' does:\nKEY: \"value in FILE\" -> \"value in the transceiver\". Use it after a write (and\nafter switching the transceiver off and on) to check what the transceiver holds.\nPORT and --quiet as for 'info'.\n\nExit status: 0 when nothing differs, 1 when something does, the clone result\n(77, 85, 91, see 'info') when the read fails, 2 for wrong arguments or a FILE\nthat does not open.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_DOCTOR, N_("pwr455-cli doctor [PORT]\nFind out why the cable does not work.\n\nChecks, in order, and says for each what was found and the fix: the serial\ndevices present (with USB ids and driver), whether the port exists and may be\nread and written by you (and if not, which group it needs and whether you have\nlogged in again since you were added to it), whether another program holds the\nport, packages known to grab USB serial cables (brltty, ModemManager), and\nfinally an information run with the transceiver.\nPORT as for 'info'.\n\nExit status: 0 when the transceiver answered, 1 otherwise, 2 for wrong\narguments.\n")},
    {IDS_CLI_LOG_NEEDS_FLEET, N_("pwr455-cli %1: --log needs --fleet")},
    {IDS_CLI_CANNOT_OPEN_LOG, N_("pwr455-cli: cannot open the log file '%1': %2")},
    {IDS_CLI_CANNOT_WRITE_LOG, N_("pwr455-cli: warning: the log file cannot be written; the lines go to standard output only")},
    {IDS_COMPARE_EMPTY_TEXT, N_("(blank)")},
    {IDS_COMPARE_PRIORITY_SCAN, N_("Priority Scan")},
    {IDS_COMPARE_VFO_TX_INHIBIT, N_("VFO Tx Inhibit")},
    // TRANSLATORS: A ticked box of the settings or the list (a beep, a channel's lockout) in the
    // Compare window; its opposite is the settings' "Off".
    {IDS_COMPARE_VALUE_ON, N_("On")},
    // TRANSLATORS: A ticked "... Enable" box of the settings, in the Compare window.
    {IDS_COMPARE_VALUE_ENABLE, N_("Enable")},
    {IDS_FLEET_WAITING, N_("Waiting for transceivers on %1; Ctrl-C ends.")},
    {IDS_FLEET_REFUSED, N_("Refused: model %1 revision %2 is another transceiver; nothing written.")},
    {IDS_FLEET_SUMMARY, N_("%1 written, %2 failed or refused.")},
    {IDS_FLEET_PORT_NOT_OPEN, N_("The port %1 cannot be opened; still waiting (pwr455-cli doctor tells why).")},
    // TRANSLATORS: An unticked "... Enable" box of the settings, in the Compare window.
    {IDS_COMPARE_VALUE_DISABLE, N_("Disable")},
    // TRANSLATORS: The level of a finding of the connection check, at the start of its line.
    {IDS_DOCTOR_LEVEL_OK, N_("ok")},
    // TRANSLATORS: The level of a finding of the connection check, at the start of its line.
    {IDS_DOCTOR_LEVEL_NOTE, N_("note")},
    // TRANSLATORS: The level of a finding of the connection check, at the start of its line; written in capitals to stand out.
    {IDS_DOCTOR_LEVEL_PROBLEM, N_("PROBLEM")},
    {IDS_DOCTOR_FIX, N_("Fix: %1")},
    {IDS_DOCTOR_DEVICE, N_("Serial device %1")},
    {IDS_DOCTOR_USB_ID, N_("USB %1:%2")},
    {IDS_DOCTOR_DRIVER, N_("driver %1")},
    {IDS_DOCTOR_BY_ID, N_("also %1")},
    {IDS_DOCTOR_NO_DEVICES, N_("No serial device found: no /dev/ttyUSB*, no /dev/ttyACM*, no serial port /dev/ttyS*.")},
    {IDS_DOCTOR_NO_DEVICES_FIX, N_("Plug the cable in; 'sudo dmesg | tail' shows what the system made of it.")},
    {IDS_DOCTOR_PORT_MISSING, N_("Port %1 does not exist.")},
    {IDS_DOCTOR_CHOOSE_PORT_FIX, N_("Choose the cable's device (COM Port > Port Settings, or --port DEVICE); the serial devices are listed above.")},
    {IDS_DOCTOR_PORT_OK, N_("Port %1 exists and you may read and write it.")},
    {IDS_DOCTOR_PORT_DENIED, N_("You may not read and write %1 (%2 %3 %4).")},
    {IDS_DOCTOR_PORT_DENIED_FIX, N_("sudo chmod 660 %1 (a udev rule with MODE=\"0660\" keeps it after the next plug-in).")},
    {IDS_DOCTOR_PORT_NOT_MEMBER, N_("You may not read and write %1 (%2 %3 %4): it needs group %4, and %5 is not in it.")},
    {IDS_DOCTOR_PORT_NOT_MEMBER_FIX, N_("sudo usermod -aG %4 %5, then log out and in again.")},
    {IDS_DOCTOR_PORT_NOT_LOGGED_IN, N_("You may not read and write %1 (%2 %3 %4): %5 was added to group %4, but has not logged in again since.")},
    {IDS_DOCTOR_PORT_NOT_LOGGED_IN_FIX, N_("Log out and in again (or run 'newgrp %4' in this shell).")},
    {IDS_DOCTOR_HELD, N_("Port %1 is held by %2 (PID %3).")},
    {IDS_DOCTOR_HELD_FIX, N_("End %2 (kill %3), or choose another port.")},
    {IDS_DOCTOR_NOT_HELD, N_("No other program holds port %1.")},
    {IDS_DOCTOR_HOLDERS_UNSEEN, N_("No program of yours holds port %1; the open files of %2 processes of other users could not be looked at.")},
    {IDS_DOCTOR_HOLDERS_UNSEEN_FIX, N_("sudo fuser -v %1 names every program that holds it.")},
    {IDS_DOCTOR_NO_BRLTTY, N_("No active brltty rule takes this cable.")},
    {IDS_DOCTOR_BRLTTY, N_("brltty's rule file %1 takes %2 cables for Braille displays.")},
    {IDS_DOCTOR_BRLTTY_FIX, N_("Unless a Braille display of yours needs it, mask that one rule file: sudo ln -s /dev/null /etc/udev/rules.d/%1, then sudo udevadm control --reload, and plug the cable in again.")},
    {IDS_DOCTOR_NO_MODEM_MANAGER, N_("ModemManager is not running.")},
    {IDS_DOCTOR_MODEM_MANAGER, N_("ModemManager is running (PID %1): it probes new serial devices and may hold the cable for a while after it is plugged in.")},
    {IDS_DOCTOR_MODEM_MANAGER_FIX, N_("sudo systemctl stop ModemManager (disable --now keeps it off).")},
    {IDS_DOCTOR_ANSWERED, N_("The transceiver answered: %1, comment \"%2\".")},
    {IDS_DOCTOR_OTHER_MODEL, N_("A transceiver answered as model %1 revision %2, which this program cannot program.")},
    {IDS_DOCTOR_OTHER_MODEL_FIX, N_("Use the cloning software made for that transceiver.")},
    {IDS_DOCTOR_RUN_PORT, N_("Port %1 could not be opened for the information run.")},
    {IDS_DOCTOR_RUN_PORT_FIX, N_("See the checks above; another program may have taken the port in the meantime.")},
    {IDS_DOCTOR_NO_ECHO, N_("Nothing came back from the cable, not even the echo of the request.")},
    {IDS_DOCTOR_NO_ECHO_FIX, N_("Check that the cloning cable is plugged into this port (a cloning cable echoes every byte).")},
    {IDS_DOCTOR_SILENT, N_("The cable echoed the request, but no transceiver answered.")},
    {IDS_DOCTOR_SILENT_FIX, N_("Switch the transceiver on and push the plug fully into its clone socket.")},
    {IDS_DOCTOR_GARBLED, N_("The transceiver's answer came garbled.")},
    {IDS_DOCTOR_GARBLED_FIX, N_("Check the plug and the cable; keep them away from the antenna and from transmitters.")},
    {IDS_DOCTOR_BRLTTY_MAYBE, N_("brltty's rule file %1 may take %2 cables for Braille displays: whether its condition %3 holds for this cable could not be checked.")},
    {IDS_DOCTOR_PORT_NOT_AT_DESKTOP, N_("You may not read and write %1 (%2 %3 %4): a udev rule gives it to the person at the desktop, and %5 is not that person (logged in from elsewhere, or another user's desktop is the active one).")},
    {IDS_DOCTOR_PORT_NOT_AT_DESKTOP_FIX, N_("Use the program at %5's own desktop, or: sudo usermod -aG %4 %5, then log out and in again.")},
    {IDS_DOCTOR_RULE_REPLUG_FIX, N_("Unplug the cable and plug it in again: the udev rule %1 then gives it to the person at the desktop and keeps ModemManager off it.")},
    {IDS_DOCTOR_CHOOSE_PORT_IN_DIALOG, N_("Choose the cable's device in COM Port > Port Settings; the serial devices are listed above.")},
    {IDS_DOCTOR_MODEM_MANAGER_IGNORES, N_("ModemManager is running (PID %1), but leaves %2 alone: a udev rule marks it ID_MM_DEVICE_IGNORE.")},
    // TRANSLATORS: %1 is the file name of the udev rule, 70-pwr455-cables.rules.
    {IDS_DOCTOR_INSTALL_RULE_FIX, N_("Install the package's udev rule %1 (built from source: sudo cp packaging/%1 /etc/udev/rules.d/), then plug the cable in again; it keeps ModemManager off the cable.")},
    // TRANSLATORS: %1 is a udev rule line, kept as it is.
    {IDS_DOCTOR_ADD_RULE_LINE_FIX, N_("Keep ModemManager off this cable with a udev rule: put the line %1 in /etc/udev/rules.d/70-pwr455-local.rules, then plug the cable in again.")},
    {IDS_CSV_FILE_TYPES, N_("CSV Files (*.csv)")},
    {IDS_CSV_IMPORT_TITLE, N_("Import Channels")},
    {IDS_CSV_EXPORT_TITLE, N_("Export Channels")},
    {IDS_CSV_CANNOT_READ, N_("%s\nThe file could not be read:\n%s")},
    {IDS_CSV_IMPORT_FAILED, N_("%s\nNo channels were imported:\n%s")},
    {IDS_CSV_CANNOT_EXPORT, N_("%s\nThe channels could not be exported:\n%s")},
    {IDS_CSV_FILE_TOO_LARGE, N_("%s\nThe file is too large to be a list of channels.")},
    {IDS_PROFILE_NOT_USED, N_("the profile '%1' is not used (%2); the defaults apply and changes are not saved")},
    {IDS_PROFILE_TOO_LARGE, N_("it is larger than 1 MiB")},
    {IDS_PROFILE_NOT_REGULAR, N_("it is not a regular file")},
    {IDS_PROFILE_UNREADABLE, N_("it cannot be read: %1")},
    {IDS_PROFILE_NO_FOLDER, N_("no profile is used: neither XDG_CONFIG_HOME nor a home folder is known; the defaults apply and changes are not saved")},
    {IDS_PROFILE_NOT_UNDERSTOOD, N_("the profile '%1' has lines that are not understood; they are left as they are")},
    {IDS_PROFILE_NOT_SAVED, N_("the profile '%1' cannot be saved: %2")},
    {IDS_APP_WARNING, N_("pwr455: warning: %1")},
    {IDS_CLI_WARNING, N_("pwr455-cli: warning: %1")},
    {IDS_PROFILE_WARNING_STATUS, N_("Settings: %1")},
    {IDS_BACKUP_NOT_OWN_FOLDER, N_("the folder '%1' belongs to another user")},
    {IDS_CLI_EXEC_FILE_COMMAND, N_("pwr455-cli exec: file commands are not run here; -i and -o open and save files")},
    {IDS_CLI_EMPTY_PORT, N_("pwr455-cli %1: --port needs a device name")},
    {IDS_CLI_PORT_NAME_TOO_LONG, N_("pwr455-cli %1: the port's device name is longer than %2 bytes")},
    {IDS_DOCTOR_NOT_SERIAL, N_("Port %1 is not a serial device.")},
    {IDS_DOCTOR_PORT_OWNER_ONLY, N_("You may not read and write %1 (%2 %3 %4): only %3 may.")},
    {IDS_DOCTOR_PORT_OWNER_ONLY_FIX, N_("Have a udev rule give it a group of yours (GROUP=\"dialout\", MODE=\"0660\"), then: sudo usermod -aG dialout %5, and log out and in again.")},
    {IDS_CLI_WAITING_FOR_FILE, N_("pwr455-cli: waiting for another program to finish changing '%1'")},
    {IDS_SAVE_FILE_BUSY, N_("another program is changing it; try again when it has finished")},
    // TRANSLATORS: A menu item: & marks the access key (unique within the menu); keep the tab and the shortcut after it (Ctrl+Z) unchanged.
    {IDS_MENU_UNDO, N_("&Undo\tCtrl+Z")},
    // TRANSLATORS: A menu item: & marks the access key (unique within the menu); keep the tab and the shortcut after it (Ctrl+Z) unchanged.
    {IDS_MENU_UNDO_NAMED, N_("&Undo %1\tCtrl+Z")},
    // TRANSLATORS: A menu item: & marks the access key (unique within the menu); keep the tab and the shortcut after it (Ctrl+Z) unchanged.
    {IDS_MENU_REDO, N_("&Redo\tCtrl+Y")},
    // TRANSLATORS: A menu item: & marks the access key (unique within the menu); keep the tab and the shortcut after it (Ctrl+Z) unchanged.
    {IDS_MENU_REDO_NAMED, N_("&Redo %1\tCtrl+Y")},
    {IDS_UNDONE, N_("Undone: %1")},
    {IDS_REDONE, N_("Redone: %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_EDIT, N_("Edit %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_PASTE, N_("Paste %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_CLEAR, N_("Clear %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_DELETE, N_("Delete %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_INSERT, N_("Insert %1")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_SETTINGS, N_("Common Setting")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_CLONE_READ, N_("Read From Transceiver")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_IMPORT, N_("Import Channels")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_MOVE_UP, N_("Move %1 Up")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_MOVE_DOWN, N_("Move %1 Down")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_SORT_FREQUENCY, N_("Sort by Frequency")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_SORT_NAME, N_("Sort by Name")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_PASTE_ROWS, N_("Paste Rows at %1")},
    {IDS_MOVE_DONE, N_("%1 moved to %2")},
    {IDS_MOVE_NOT_BLANK, N_("%1 cannot be blank: the blank %2 stays where it is")},
    {IDS_MOVE_NO_NEIGHBOUR, N_("%1 has no neighbour on that side")},
    {IDS_SORT_DONE_FREQUENCY, N_("Channels sorted by frequency")},
    {IDS_SORT_DONE_NAME, N_("Channels sorted by name")},
    {IDS_SORT_IN_ORDER, N_("The channels are already in that order")},
    {IDS_SORT_NOT_BLANK, N_("%1 cannot be blank: the channels were not sorted")},
    {IDS_NOTE_OUTSIDE_BAND, N_("%1: %2 MHz is outside the air band; stored as %3")},
    {IDS_NOTE_SNAPPED, N_("%1: %2 stored as %3, the nearest %4 channel")},
    {IDS_NOTE_NOT_A_FREQUENCY, N_("%1: \"%2\" is not a frequency; stored as %3")},
    {IDS_NOTE_NOW_BLANK, N_("%1: \"%2\" is not a frequency; the channel is now blank.")},
    // TRANSLATORS: The blanks at the start and the end are layout: keep them.
    {IDS_NOTE_UNDO_HINT, N_(" Undo with Ctrl+Z.")},
    {IDS_NOTE_NOT_STORED_BLANK, N_("%1: %2 MHz was not stored: the channel is blank")},
    {IDS_NOTE_NAME, N_("%1: the name \"%2\" is stored as \"%3\" (%4)")},
    // TRANSLATORS: A channel name has at most 7 characters on the transceiver.
    {IDS_NOTE_NAME_CUT, N_("cut to 7 characters")},
    {IDS_NOTE_NAME_UPPER, N_("upper case")},
    {IDS_NOTE_NAME_FILTERED, N_("characters the transceiver cannot show replaced by blanks")},
    {IDS_NOTE_GRID_25K, N_("25 kHz")},
    // TRANSLATORS: Use the decimal comma of prose if your language writes "8,33 kHz".
    {IDS_NOTE_GRID_8_33K, N_("8.33 kHz")},
    {IDS_NOTE_GRID_BOTH, N_("25 kHz or 8.33 kHz")},
    {IDS_NOTE_CARRIER, N_("%1: %2 MHz is the carrier of channel %3; stored as %3")},
    {IDS_NOTE_KEPT_IN_USE, N_("%1 cannot be blank: it keeps %2")},
    {IDS_NOTE_NAME_SPELLED, N_("letters spelled as ICAO writes them")},
    {IDS_NOTE_OPENING_TEXT, N_("The opening text \"%1\" is stored as \"%2\" (%3)")},
    {IDS_PASTE_ROWS_NO_ROOM, N_("Line %1: no channel is left for this row; CH 20 is the last.")},
    {IDS_PASTE_ROWS_FAILED, N_("No rows were pasted:\n%s")},
    {IDS_PASTE_ROWS_NONE, N_("The clipboard holds no channel rows to paste")},
    {IDS_PASTE_ROWS_DONE, N_("%1 rows pasted into %2 to %3")},
    {IDS_PASTE_ROW_DONE, N_("One row pasted into %1")},
    {IDS_LANGUAGE_NEXT_START, N_("The program will speak %1 from its next start.")},
    {IDS_AIR_LIST_CANNOT_READ, N_("'%1' cannot be read: %2.")},
    {IDS_AIR_LIST_TOO_LARGE, N_("'%1' is too large to be an airport frequency list.")},
    // TRANSLATORS: airport_ident, type, description and frequency_mhz are the column names in the file: keep them.
    {IDS_AIR_LIST_NO_HEADER, N_("Line %1: the header row must name the columns airport_ident, type, description and frequency_mhz.")},
    {IDS_AIR_LIST_SHORT_ROW, N_("Line %1: %2 fields found, %3 expected.")},
    {IDS_AIR_LIST_BAD_FILE, N_("'%1' is not an airport frequency list. %2")},
    {IDS_AIR_LIST_ONE_FIELD, N_("Line %1: 1 field found, %3 expected.")},
    // TRANSLATORS: Frequencies stay as the transceiver's display writes them (118.000).
    {IDS_AIR_OUTSIDE_BAND, N_("outside 118.000 to 136.980 MHz")},
    {IDS_AIR_OFF_GRID, N_("not a 25 kHz or 8.33 kHz channel")},
    {IDS_AIR_NEEDS_833, N_("needs 8.33 kHz spacing")},
    {IDS_AIR_NOT_A_FREQUENCY, N_("not a frequency")},
    {IDS_CARRIER_25_CHANNEL, N_("25 kHz channel")},
    {IDS_CARRIER_833_CHANNEL, N_("8.33 kHz channel, carrier %1 MHz")},
    {IDS_CARRIER_STORED_AS, N_("%1\nStored as %2.")},
    // TRANSLATORS: The kneeboard card is A5: keep card texts short.
    {IDS_CARD_SUBTITLE, N_("VX-R455NORD memory channels")},
    // TRANSLATORS: A label on the kneeboard card, beside the value: keep it short.
    {IDS_CARD_CH_SPACING, N_("Channel Spacing")},
    // TRANSLATORS: A label on the kneeboard card and the settings, beside the value: keep it short.
    {IDS_CARD_CLONE_COMMENT, N_("Clone Comment")},
    {IDS_CARD_CANNOT_RENDER, N_("the card could not be drawn: %1")},
    // TRANSLATORS: A setting's value on the kneeboard card, in capitals as the transceiver's
    // settings are written there.
    {IDS_CARD_VALUE_ON, N_("ON")},
    // TRANSLATORS: A setting's value on the kneeboard card, in capitals.
    {IDS_CARD_VALUE_OFF, N_("OFF")},
    // TRANSLATORS: The scan mode on the kneeboard card, in capitals.
    {IDS_CARD_VALUE_NORMAL, N_("NORMAL")},
    // TRANSLATORS: The scan mode on the kneeboard card (priority scanning), in capitals.
    {IDS_CARD_VALUE_PRIO, N_("PRIO")},
    // TRANSLATORS: A setting's value on the kneeboard card, in capitals.
    {IDS_CARD_VALUE_ENABLE, N_("ENABLE")},
    // TRANSLATORS: A setting's value on the kneeboard card, in capitals.
    {IDS_CARD_VALUE_DISABLE, N_("DISABLE")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_IDENT, N_("Ident")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_TYPE, N_("Type")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_DESCRIPTION, N_("Description")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_LISTED, N_("Listed MHz")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_STORED_AS, N_("Stored as")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_NAME, N_("Name")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_CH, N_("CH")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_AIR_COLUMN_NOTE, N_("Note")},
    {IDS_AIR_HINT, N_("Type one or more airport idents, such as EGLL KPAO ENGM.")},
    {IDS_AIR_FOUND, N_("%1 frequencies found; %2 of them can be stored with the channel spacing %3.")},
    {IDS_AIR_UNKNOWN, N_("Not in the list: %1.")},
    {IDS_AIR_SUMMARY_NONE, N_("Nothing ticked to import.")},
    {IDS_AIR_SUMMARY_INTO, N_("Into channels %1 (%2 in all).")},
    {IDS_AIR_SUMMARY_NOT_FIT, N_("Do not fit: %1.")},
    {IDS_AIR_NOTE_TX_INHIBIT, N_("Tx inhibit")},
    {IDS_AIR_CHOOSE_TITLE, N_("Choose an Airport Frequency List")},
    {IDS_AIR_SHIPPED_INSTEAD, N_("%1\nThe shipped list is used instead.")},
    {IDS_AIR_IMPORTED_NOT_FIT, N_("%1 frequencies were imported. These did not fit in the channels: %2.")},
    {IDS_CARD_PRINT_FAILED, N_("The kneeboard card could not be printed: %s\n\nFile > Export Kneeboard Card... saves it as a PDF file, which can be printed elsewhere.")},
    // TRANSLATORS: The name of a change, shown after Undo and Redo in the Edit menu and the status bar: keep it short.
    {IDS_STEP_IMPORT_AIRPORTS, N_("Import Airport Frequencies")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_AIRPORTS, N_("pwr455-cli airports IDENT... [-i BASE] [-o OUT] [--from N] [--overwrite] [--data FILE]\nList or import the frequencies of airports.\n\nWithout -o, lists every frequency of the airports IDENT (EGLL, KPAO, ...): its\nident, type, MHz as listed, the frequency the transceiver stores under the\nchannel spacing of BASE (a new data set without -i), the channel name, and why\na frequency cannot be stored. With -o, puts the frequencies that can be stored\ninto the blank channels of BASE from channel N on (1 without --from), or with\n--overwrite into every channel from N on, saves the result to OUT and names\nwhat did not fit.\n\n  --data FILE   use FILE, an airport-frequencies.csv of OurAirports, instead of\n                the list shipped with the program\n\nAn ident the list does not know ends the command with exit status 2.\n")},
    // TRANSLATORS: Command-line help: keep command names, option names and values as they are, and the lines under 80 columns.
    {IDS_CLI_HELP_CARD, N_("pwr455-cli card FILE -o OUT.pdf [--size a5|a4|letter]\nWrite the kneeboard card of FILE as PDF.\n\nThe card shows the 20 channels (number, frequency, name, Tx inhibit, lockout,\npriority mark) and the main settings under the file's name and today's date,\nas File > Print does. The paper is A5 unless --size says otherwise.\n")},
    {IDS_CLI_UNKNOWN_AIRPORT, N_("pwr455-cli %1: '%2' is not in the airport list")},
    {IDS_CLI_BAD_FROM, N_("pwr455-cli %1: '%2' is not a channel number (1 to 20)")},
    {IDS_CLI_BAD_SIZE, N_("pwr455-cli %1: '%2' is not a card size (a5, a4 or letter)")},
    {IDS_CLI_AIR_PLACED, N_("CH %1  %2  %3")},
    {IDS_CLI_AIR_NOT_STORED, N_("not stored: %1 %2 %3 (%4)")},
    {IDS_CLI_AIR_NOT_FIT, N_("did not fit: %1")},
    // TRANSLATORS: A list column header: short; a header cut by a narrow column ends in "...".
    {IDS_CLI_COLUMN_CARRIER, N_("Carrier")},
    {IDS_CLI_AIR_ERROR, N_("pwr455-cli %1: %2")},
    {IDS_CARD_NO_PRINTER, N_("no printer is set up on this computer.")},
    {IDS_CARD_PRINTER_ERROR, N_("the printer or the print system reported an error.")},
    {IDS_CARD_EXPORT_TITLE, N_("Export Kneeboard Card")},
    {IDS_CARD_FILE_TYPES, N_("PDF Files (*.pdf)")},
    {IDS_CARD_CANNOT_EXPORT, N_("%s\nThe kneeboard card could not be exported:\n%s")},
    {IDS_CARD_EXPORTED, N_("Kneeboard card saved to %1")},
    {IDS_APP_CANNOT_START, N_("pwr455: %1 could not be started: %2")},
    // TRANSLATORS: The paper size US Letter, beside A5 and A4.
    {IDS_CARD_PAPER_LETTER, N_("Letter")},
    // TRANSLATORS: The browser edition's Print and Print Preview: the card's paper, A5, A4 or Letter.
    {IDS_CARD_PAPER_SIZE, N_("Paper size")},
    {IDS_DOCTOR_NO_COM_PORTS, N_("No COM port found.")},
    {IDS_DOCTOR_NO_COM_PORTS_FIX, N_("Plug the cable in; the Device Manager lists it under Ports (COM & LPT) with its COM number.")},
    {IDS_DOCTOR_PORT_EXISTS, N_("Port %1 exists.")},
    {IDS_DOCTOR_HELD_BY_OTHER, N_("Port %1 is held by another program.")},
    {IDS_DOCTOR_HELD_BY_OTHER_FIX, N_("Close the program that uses it (a terminal program, another copy of PW-R455NORD or pwr455-cli), or choose another port.")},
    {IDS_DOCTOR_PORT_FAILS, N_("Port %1 exists but cannot be opened: %2.")},
    {IDS_DOCTOR_PORT_FAILS_FIX, N_("Unplug the cable and plug it in again; the Device Manager shows whether Windows has a driver for it.")},
    {IDS_CLI_SIM_NEEDS_LINUX, N_("pwr455-cli %1: the simulated transceiver needs a pseudo-terminal, which only Linux has")},
    // TRANSLATORS: %1 is the device's name and USB id, %2 the Device Manager's problem code, %3 what the code means.
    {IDS_DOCTOR_PROBLEM_DEVICE, N_("The Device Manager shows %1 with Code %2 (%3): it gets no COM port.")},
    {IDS_DOCTOR_PROBLEM_DEVICE_CODE, N_("The Device Manager shows %1 with Code %2: it gets no COM port.")},
    // TRANSLATORS: What a problem code of the Device Manager means, in the words Windows uses for it in your language.
    {IDS_DOCTOR_CODE_1, N_("the device is not configured correctly")},
    {IDS_DOCTOR_CODE_10, N_("the device cannot start")},
    {IDS_DOCTOR_CODE_18, N_("its driver must be installed again")},
    {IDS_DOCTOR_CODE_22, N_("the device is disabled")},
    {IDS_DOCTOR_CODE_28, N_("no driver is installed for it")},
    {IDS_DOCTOR_CODE_31, N_("Windows cannot load its driver")},
    {IDS_DOCTOR_CODE_39, N_("its driver is damaged or missing")},
    {IDS_DOCTOR_CODE_43, N_("Windows stopped it because it reported problems")},
    {IDS_DOCTOR_CODE_48, N_("its driver is blocked because of known problems")},
    {IDS_DOCTOR_CODE_52, N_("Windows cannot verify its driver's signature")},
    // TRANSLATORS: Keep "PL2303HXA PHASED OUT SINCE 2012" as it is: it is what the Device Manager shows. Update driver, Browse my computer for drivers and Let me pick are the Device Manager's own words: use your Windows' words.
    {IDS_DOCTOR_FIX_PROLIFIC_OLD, N_("Windows' current Prolific driver refuses PL2303 chips made before 2012 and copies of them (\"PL2303HXA PHASED OUT SINCE 2012\"). Install Prolific's older driver 3.3.2.102 and choose it in the Device Manager (Update driver, Browse my computer for drivers, Let me pick), or use a cable with another chip.")},
    // TRANSLATORS: Keep "can't set com-state" as it is: it is the error other programs show.
    {IDS_DOCTOR_FIX_CH340, N_("Install version 3.5.2019.1 of the CH340 driver from the chip's maker (WCH) and choose it in the Device Manager; version 3.8 and some others cannot set the line (\"can't set com-state\").")},
    // TRANSLATORS: %1 is a chip (FTDI, CP210x), %2 its maker's web site.
    {IDS_DOCTOR_FIX_MAKER_DRIVER, N_("Install the %1 chip's own driver from %2, then unplug the cable and plug it in again.")},
    {IDS_DOCTOR_FIX_REINSTALL, N_("In the Device Manager, uninstall the device together with its driver, unplug the cable and plug it in again so that Windows installs the driver anew; if that fails, install the driver of the cable's maker.")},
    {IDS_DOCTOR_FIX_ENABLE, N_("In the Device Manager, right-click the device and choose Enable device.")},
    // TRANSLATORS: %2 is the system's error message.
    {IDS_DOCTOR_LINE_REFUSED, N_("Port %1 opens, but its driver refuses the line settings (9600 baud, 8 data bits, no parity): %2.")},
    {IDS_CHIRP_SKIP_MODE, N_("mode other than AM")},
    {IDS_CHIRP_SKIP_DUPLEX, N_("transmit offset or split")},
    {IDS_CHIRP_SKIP_LOCATION, N_("Location is not a channel from 1 to 20")},
    {IDS_CHIRP_SKIP_NO_ROOM, N_("no channel left after CH 20")},
    {IDS_CHIRP_BAD_LOCATION, N_("Line %1, field %2: \"%3\" is not a memory location (a whole number).")},
    {IDS_CHIRP_BAD_DUPLEX, N_("Line %1, field %2: \"%3\" is not a Duplex value (empty, +, -, split or off).")},
    {IDS_CHIRP_FIELD_COUNT, N_("Line %1: %2 fields found, the header row has %3.")},
    {IDS_CHIRP_SUMMARY, N_("Rows that became channels: %1. Rows left out: %2.")},
    {IDS_CHIRP_SKIPPED_LINE, N_("Left out, %1: line %2")},
    {IDS_CHIRP_SKIPPED_LINES, N_("Left out, %1: lines %2")},
    {IDS_CHIRP_FILE_TYPES, N_("CHIRP CSV Files (*.csv)")},
    {IDS_CHIRP_COLUMN_LINE, N_("Line")},
    {IDS_CHIRP_COLUMN_LOCATION, N_("Location")},
    {IDS_CLI_BAD_FORMAT, N_("pwr455-cli %1: '%2' is not an export format (pwr455 or chirp)")},
    {IDS_CLI_FROM_CHIRP_ONLY, N_("pwr455-cli %1: --from applies only to files in the CSV layout of CHIRP")},
    {IDS_FIND_UNPLUG, N_("Unplug the cloning cable from the computer. If it is not plugged in, plug it in now.")},
    {IDS_FIND_PLUG, N_("Now plug the cable in again.")},
    // TRANSLATORS: %1: the port, such as "/dev/ttyUSB0 (QinHeng CH340)" or "COM5 (USB-SERIAL CH340)".
    {IDS_FIND_FOUND, N_("The cable is on %1.")},
    // TRANSLATORS: %1: the ports, such as "/dev/ttyUSB0, /dev/ttyUSB1".
    {IDS_FIND_SEVERAL, N_("More than one port came (%1): plug in the cloning cable alone and try again.")},
    {IDS_FIND_NONE, N_("No port came within %1 seconds. Check that the cable is plugged in all the way, or try another USB socket.")},
    {IDS_FIND_CANCELLED, N_("The search for the cable was cancelled.")},
    // TRANSLATORS: %1: the COM port number; %2: the device, such as /dev/ttyUSB0.
    {IDS_FIND_BOUND, N_("COM%1 is now %2, and it is the port chosen.")},
    // TRANSLATORS: %1: a command line, such as "pwr455-cli info --com 2": keep it as it is.
    {IDS_FIND_CHECK_HINT, N_("To check it with the transceiver: %1")},
    // TRANSLATORS: %1: the COM port number; %2: the reason.
    {IDS_CLI_FIND_CANNOT_BIND, N_("pwr455-cli ports: COM%1 could not be bound: %2")},
    {IDS_CLI_FIND_OPTIONS, N_("pwr455-cli %1: --bind and --info go with --find")},
    {IDS_CONNECTION_DEVICE, N_("Port checked: device %1 (not bound to a COM port)")},
    // TRANSLATORS: The browser edition, in a browser without serial ports (Web Serial).
    {IDS_WEB_NO_SERIAL, N_("This browser cannot reach serial ports: use Chrome, Edge or Opera on a computer, or the program for Windows or Linux. Everything but the cable works here.")},
    // TRANSLATORS: The buttons of the browser edition's question before unsaved changes are dropped.
    {IDS_WEB_YES, N_("Yes")},
    {IDS_WEB_NO, N_("No")},
    // TRANSLATORS: The browser edition's Help > Check Connection: what a page can tell of the cable.
    {IDS_WEB_SERIAL_OK, N_("This browser can reach serial ports (Web Serial).")},
    {IDS_WEB_NO_PORTS, N_("This page may use no serial port yet.")},
    {IDS_WEB_NO_PORTS_FIX, N_("Plug the cable in, choose COM Port > Port Settings... and pick it in the browser's list. A cable that the list does not show has no working driver on this computer.")},
    // TRANSLATORS: %1 is a number, %2 the chip and USB ids (or one of the next two texts).
    {IDS_WEB_PORT, N_("Port %1 of this page: %2")},
    {IDS_WEB_PORT_NOT_USB, N_("a serial port without USB ids (built in, or Bluetooth)")},
    {IDS_WEB_CHIP_UNKNOWN, N_("a chip this program does not know")},
    {IDS_WEB_WINDOWS_DRIVER, N_("Windows needs a working driver for %1 cables; when the port does not open, look for the cable in the Device Manager.")},
    {IDS_WEB_MAC_MAKER_DRIVER, N_("macOS has no driver of its own for %1 cables: they work with the chip maker's driver only.")},
    // TRANSLATORS: %1 is the system (macOS, ChromeOS), %2 the chip.
    {IDS_WEB_OWN_DRIVER, N_("%1 drives %2 cables itself.")},
    {IDS_WEB_LINUX_ACCESS, N_("The browser opens this %1 cable only if you may read and write its port.")},
    {IDS_WEB_LINUX_ACCESS_FIX, N_("Install the program's package, whose rule gives the cable to the person at the desktop, or join group dialout (sudo usermod -aG dialout $USER, then log out and in again). pwr455-cli doctor checks the rest.")},
    {IDS_WEB_LINUX_BRLTTY, N_("brltty may take %1 cables for Braille displays, and then no other program gets them.")},
    {IDS_WEB_LINUX_BRLTTY_FIX, N_("Unless a Braille display of yours needs it, run pwr455-cli doctor: it names brltty's rule file and how to mask it.")},
    {IDS_WEB_ANDROID_UNDRIVEN, N_("Chrome on Android has no driver for %1 cables: they get no port there.")},
    {IDS_WEB_ANDROID_FIX, N_("Use a computer with Chrome, Edge or Opera, or the program for Windows or Linux.")},
    // TRANSLATORS: The port of the information run: the chip and USB ids.
    {IDS_WEB_PORT_CHECKED, N_("Port checked: %1")},
    // TRANSLATORS: The browser edition's backups of reads, kept in the browser's storage. This one ends the status text " Cloning completed. The backup copy was not saved: %1".
    {IDS_WEB_STORAGE_FULL, N_("the browser's storage for this page is full")},
    {IDS_WEB_STORAGE_FULL_BOX, N_("The browser's storage for this page is full, so the backup copy of this read was not kept.\n\nThe read itself succeeded: its data are in the program and stay there while the page is open. Save them as a file.\n\nTo make room, delete older backups in File > Open Backup..., or let this page keep more in the browser's site settings.")},
    {IDS_WEB_STORAGE_USED, N_("This page uses %1 MB of the %2 MB the browser allows it.")},
    {IDS_WEB_NO_STORAGE, N_("this browser keeps no data for this page (a private window, or storage turned off in its settings)")},
    {IDS_WEB_STORAGE_REFUSED, N_("the browser's storage refused it: %1")},
    // TRANSLATORS: The browser edition's File > Open Backup... window.
    {IDS_WEB_BACKUPS_INTRO, N_("This browser keeps a backup copy of each of the newest %1 reads. Open one as a copy, or download it as a file:")},
    {IDS_WEB_BACKUPS_NONE, N_("No backup yet: every read from a transceiver leaves one here.")},
    // TRANSLATORS: Buttons of the same window.
    {IDS_WEB_OPEN, N_("Open")},
    {IDS_WEB_DOWNLOAD, N_("Download")},
    {IDS_WEB_DELETE, N_("Delete")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_MEMORY, N_("Edit Memory\nEdit Memory")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_CLONE_READ, N_("Read From Transceiver\nClone in")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_CLONE_WRITE, N_("Write to Transceiver\nClone out")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_CLONE_INFO, N_("Read Information\nClone info.")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_VIEW_COMMON_SETTING, N_("Indicate Others Sheet\nCommon Sheet")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_COM1, N_("Use COM1\nCOM1")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_COM2, N_("Use COM2\nCOM2")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_COM3, N_("Use COM3\nCOM3")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_COM4, N_("Use COM4\nCOM4")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_PORT_SETTINGS, N_("Choose the serial device of each COM port\nPort settings")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_DELETE_CH, N_("Delete\nDelete")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_INSERT_CH, N_("Insert\nInsert")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_IMPORT_CHANNELS, N_("Import the memory channels from a CSV file\nImport Channels")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_EXPORT_CHANNELS, N_("Export the memory channels to a CSV file\nExport Channels")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_IMPORT_AIRPORTS, N_("Fill memory channels with the frequencies of airports\nImport Airport Frequencies")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_EXPORT_CARD, N_("Save the kneeboard card of the channels as a PDF file\nExport Kneeboard Card")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_OPEN_BACKUP, N_("Open a copy of data read from a transceiver\nOpen Backup")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_CLONE_COMPARE, N_("Compare this document with the data in the transceiver\nCompare with Transceiver")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_HELP_CHECK_CONNECTION, N_("Find out why the cable does not work\nCheck Connection")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_MOVE_UP, N_("Move the selected channel up by one place\nMove Up")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_MOVE_DOWN, N_("Move the selected channel down by one place\nMove Down")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_SORT_FREQUENCY, N_("Put the channels in use in order of frequency\nSort by Frequency")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_SORT_NAME, N_("Put the channels in use in order of name\nSort by Name")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_PASTE_ROWS, N_("Paste rows copied from a spreadsheet into the selected channel and those after it\nPaste Rows")},
    {ID_VIEW_LANGUAGE_SYSTEM, N_("Show the program in this language from its next start")},
    {ID_VIEW_LANGUAGE_EN, N_("Show the program in this language from its next start")},
    {ID_VIEW_LANGUAGE_NB, N_("Show the program in this language from its next start")},
    {ID_VIEW_LANGUAGE_SV, N_("Show the program in this language from its next start")},
    {ID_VIEW_LANGUAGE_DA, N_("Show the program in this language from its next start")},
    {ID_VIEW_LANGUAGE_FI, N_("Show the program in this language from its next start")},
    {IDS_SETTING_CAPTION, N_("Setting")},
    {IDS_APP_TITLE, N_("PW-R455NORD")},
    {IDS_IDLE_MESSAGE, N_("Ready")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_NEW, N_("Create a new document\nNew")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_OPEN, N_("Open an existing document\nOpen")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_SAVE, N_("Save the active document\nSave")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_SAVE_AS, N_("Save the active document with a new name\nSave As")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_PRINT, N_("Print the kneeboard card of the channels\nPrint")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_FILE_PRINT_PREVIEW, N_("Show the kneeboard card as it will be printed\nPrint Preview")},
    {ID_FILE_MRU_FILE1, N_("Open this document")},
    {ID_FILE_MRU_FILE2, N_("Open this document")},
    {ID_FILE_MRU_FILE3, N_("Open this document")},
    {ID_FILE_MRU_FILE4, N_("Open this document")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_CLEAR, N_("Clear\nClear")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_COPY, N_("Copy the selection and put it on the Clipboard\nCopy")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_PASTE, N_("Insert Clipboard contents\nPaste")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_UNDO, N_("Undo the last action\nUndo")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_EDIT_REDO, N_("Redo the previously undone action\nRedo")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_APP_ABOUT, N_("Display program information, version number and copyright\nAbout")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_APP_EXIT, N_("Quit the application; prompts to save documents\nExit")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_HELP_INDEX, N_("List Help topics\nHelp Index")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_HELP_FINDER, N_("Opens Help.\nOpens Help.")},
    // TRANSLATORS: A status bar indicator: 3 or 4 characters.
    {ID_INDICATOR_CAPS, N_("CAP")},
    // TRANSLATORS: A status bar indicator: 3 or 4 characters.
    {ID_INDICATOR_NUM, N_("NUM")},
    // TRANSLATORS: A status bar indicator: 3 or 4 characters.
    {ID_INDICATOR_SCRL, N_("SCRL")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_VIEW_TOOLBAR, N_("Show or hide the toolbar\nToggle ToolBar")},
    // TRANSLATORS: The status bar prompt, a line break, then the short toolbar tooltip.
    {ID_VIEW_STATUS_BAR, N_("Show or hide the status bar\nToggle StatusBar")},
    {IDS_UNTITLED, N_("Untitled")},
    {IDS_UNEXPECTED_FILE_FORMAT, N_("Unexpected file format.")},
};
// clang-format on

constexpr bool IsSortedOnce(const CStringEntry* first, const CStringEntry* last)
{
    for (const CStringEntry* e = first; e + 1 < last; ++e) {
        if (e->id >= (e + 1)->id)
            return false;
    }
    return true;
}

// The lookup is a binary search: an entry out of order would vanish, a second one would hide.
static_assert(IsSortedOnce(std::begin(kStrings), std::end(kStrings)),
              "the string table must be sorted by id, with each id once");

const CStringEntry* Find(unsigned id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const CStringEntry& e, unsigned v) { return e.id < v; });
    if (it == std::end(kStrings) || it->id != id)
        return nullptr;
    return it;
}

} // namespace

namespace {

ResTranslator g_translator = nullptr;

} // namespace

void SetResTranslator(ResTranslator translator)
{
    g_translator = translator;
}

std::string LoadResString(unsigned id)
{
    const CStringEntry* e = Find(id);
    if (!e)
        return std::string();
    return g_translator ? g_translator(e->text) : std::string(e->text);
}

std::string LoadEnglishResString(unsigned id)
{
    const CStringEntry* e = Find(id);
    return e ? std::string(e->text) : std::string();
}
