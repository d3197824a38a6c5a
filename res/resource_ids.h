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
    IDS_APP_TITLE = 57344,          // "PW-R455NORD"
    IDS_IDLE_MESSAGE = 57345,       // "Ready"
};
