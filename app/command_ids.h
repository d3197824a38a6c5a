#pragma once

// Command ids of menus, toolbar buttons and accelerators.
//
// The program's resource ids (res/resource_ids.h) name every command, and each command's
// "prompt\ntooltip" string has the same id. wxWidgets refuses menu and tool ids of 0x7FFF and
// above, which most of those ids are, so every command travels inside the toolkit as its
// resource id minus a fixed offset. Handlers bind CmdId(ID_...), and ResIdFromCmd() turns an
// event's id back into the string id.
// !!! DO NOT CHANGE THE OFFSET: the XRC menu names are registered with ids derived from it. !!!

#include "res/resource_ids.h"

inline constexpr int kCommandIdOffset = 30000;

constexpr int CmdId(unsigned resourceId)
{
    return static_cast<int>(resourceId) - kCommandIdOffset;
}

constexpr unsigned ResIdFromCmd(int commandId)
{
    return static_cast<unsigned>(commandId + kCommandIdOffset);
}

// Gives every command name used in the XRC files (for example "ID_FILE_NEW") its fixed id, so
// that XRCID("ID_FILE_NEW") == CmdId(ID_FILE_NEW). Must run before the XRC files are loaded.
void RegisterCommandIds();
