#pragma once

// Resource ids: string table entries, command ids and dialog templates.
// !!! DO NOT CHANGE NUMERIC VALUES: menus, toolbar, profile and help refer to them. !!!

enum : unsigned {
    IDS_APP_TITLE = 57344,          // "PW-R455NORD"
    IDS_IDLE_MESSAGE = 57345,       // "Ready"
};
