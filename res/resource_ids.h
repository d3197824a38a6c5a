#pragma once

// Resource ids: string table entries, command ids and dialog templates.
// !!! DO NOT CHANGE NUMERIC VALUES: menus, toolbar, profile and help refer to them. !!!

enum : unsigned {
    // Cloning link and clone operations.
    IDS_CLONE_CAPTION = 156,            // "Cloning"
    IDS_CLONE_COMPLETED = 5026,
    IDS_CLONE_READ_FAILED = 5027,
    IDS_CLONE_WRITE_FAILED = 5028,
    IDS_CLONE_ILLEGAL_INFO = 5029,
    IDS_CLONE_CANNOT_PROGRAM = 5030,
    IDS_CLONE_TERMINATED = 5031,
    IDS_CLONE_PORT_ERROR = 5032,
    IDS_CLONE_NO_ANSWER = 5033,
    IDS_CLONE_WRITE_SUCCEEDED = 5034,
    IDS_CLONE_CHECK_PORT = 5035,
    IDS_CLONE_NOW_READING = 5040,
    IDS_CLONE_NOW_WRITING = 5041,
    IDS_CLONE_READ_QUESTION = 5054,
    IDS_CLONE_DATA_EDITED = 5055,
    IDS_CLONE_WRITE_QUESTION = 5056,
    IDS_CLONE_CHECK_SOFTWARE = 5061,
    IDS_CLONE_TRANSFER_FILE_ERROR = 5070,
    // Clone commands of the desktop program: dialogs and texts.
    IDD_CLONE_PROGRESS = 155,           // progress window of read and write runs
    IDD_CLONE_INFO = 201,               // the Information dialog
    IDD_PORT_SETTINGS = 207,            // serial device of each COM port
    IDS_SIMULATE_TITLE = 26300,         // title bar suffix while simulating
    IDS_SIMULATE_NOT_STARTED = 26301,
    IDS_PORT_SIMULATE_NOTE = 26302,
    // Radio data objects and the channel CSV.
    IDS_FILE_NAME_NOT_USABLE = 26000,
    IDS_FILE_WRITE_FAILED = 26001,
    IDS_CSV_NO_HEADER = 26010,
    IDS_CSV_FIELD_COUNT = 26011,
    IDS_CSV_BAD_CHANNEL = 26012,
    IDS_CSV_DUPLICATE_CHANNEL = 26013,
    IDS_CSV_BAD_FREQUENCY = 26014,
    IDS_CSV_BAD_FLAG = 26015,
    IDS_CSV_NAME_WITHOUT_FREQUENCY = 26016,
    IDS_CSV_OPEN_QUOTE = 26017,
    IDS_CSV_TEXT_AFTER_QUOTE = 26018,
    IDS_CSV_FIELD_TOO_LONG = 26019,
    // Command-line tool pwr455-cli.
    IDS_CLI_USAGE = 26100,
    IDS_CLI_USAGE_FOOTER = 26101,
    IDS_CLI_UNKNOWN_COMMAND = 26102,
    IDS_CLI_UNKNOWN_OPTION = 26103,
    IDS_CLI_MISSING_VALUE = 26104,
    IDS_CLI_WRONG_ARGUMENTS = 26105,
    IDS_CLI_CANNOT_SAVE = 26106,
    IDS_CLI_CANNOT_READ = 26107,
    IDS_CLI_FILE_ERROR = 26108,
    IDS_CLI_MISSING_OPTION = 26109,
    IDS_CLI_VERSION = 26110,
    IDS_CLI_HELP_NEW = 26120,
    IDS_CLI_HELP_CHECK = 26121,
    IDS_CLI_HELP_EXEC = 26122,
    IDS_CLI_HELP_SHOW = 26123,
    IDS_CLI_HELP_EXPORT = 26124,
    IDS_CLI_HELP_IMPORT = 26125,
    IDS_CLI_HELP_DIFF = 26126,
    IDS_CLI_COLUMN_CH = 26130,
    IDS_CLI_COLUMN_PRIO = 26131,        // also the cell text of the priority channel
    IDS_CLI_COLUMN_FREQUENCY = 26132,
    IDS_CLI_COLUMN_NAME = 26133,
    IDS_CLI_COLUMN_TX_INHIBIT = 26134,
    IDS_CLI_COLUMN_LOCKOUT = 26135,
    IDS_CLI_CELL_INHIBIT = 26136,
    IDS_CLI_CELL_LOCKOUT = 26137,
    IDS_CLI_HELP_INFO = 26160,
    IDS_CLI_HELP_READ = 26161,
    IDS_CLI_HELP_WRITE = 26162,
    IDS_CLI_HELP_PORTS = 26163,
    IDS_CLI_HELP_SIMULATE = 26164,
    IDS_CLI_BAD_COM_NUMBER = 26165,
    IDS_CLI_UNKNOWN_FAULT = 26166,
    IDS_CLI_ONE_PORT_OPTION = 26167,
    IDS_CLI_SIM_NOT_STARTED = 26168,
    IDS_CLI_NOT_A_DATA_FILE = 26169,
    // Application shell: document template, dialogs, command ids of menus, toolbar and
    // accelerators. The command ids double as the ids of their "prompt\ntooltip" strings.
    IDR_MAINFRAME = 128,                // document string, menu, accelerators, toolbar, icon
    IDB_SPLASH = 147,                   // picture of the splash window and the About box
    IDD_ABOUTBOX = 200,
    IDD_SPLASH = 206,
    IDS_BLANK_PANE = 5065,              // six spaces: sizes the last status bar pane
    IDS_APP_ASK_TO_SAVE = 26200,        // "Save changes to %s?"
    IDS_APP_CANNOT_OPEN = 26201,
    IDS_APP_CANNOT_SAVE = 26202,
    IDS_APP_NO_HELP = 26203,
    IDS_APP_USAGE = 26204,
    IDS_APP_VERSION = 26205,
    IDS_APP_ABOUT_NOTICE = 26206,
    IDS_APP_FILE_NOT_FOUND = 26207,
    IDS_APP_ALL_FILES = 26208,
    ID_EDIT_MEMORY = 32771,
    ID_CLONE_READ = 32774,
    ID_CLONE_WRITE = 32775,
    ID_CLONE_INFO = 32776,
    ID_VIEW_COMMON_SETTING = 32779,
    ID_COM1 = 32790,
    ID_COM2 = 32791,
    ID_COM3 = 32792,
    ID_COM4 = 32793,
    ID_PORT_SETTINGS = 32794,
    ID_EDIT_DELETE_CH = 32801,
    ID_EDIT_INSERT_CH = 32802,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,          // to 57619: the four recent files
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_FINDER = 57667,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    IDS_UNTITLED = 61440,               // "Untitled"
    IDS_APP_TITLE = 57344,          // "PW-R455NORD"
    IDS_IDLE_MESSAGE = 57345,       // "Ready"
    IDS_UNEXPECTED_FILE_FORMAT = 61728, // "Unexpected file format."
};
