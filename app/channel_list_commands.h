#pragma once

// Commands of the channel list beyond Copy, Paste, Clear, Delete and Insert: Move Up and Move
// Down (Ctrl+Up, Ctrl+Down), Sort Channels by frequency or by name, and Paste Rows
// (Ctrl+Shift+V), which sets rows copied from a spreadsheet into the selected channel and
// those after it. Each is one undoable step and says in the status bar what it did or why
// the engine refused it.

class CPWR455View;
class CR455Radio;

// Binds the commands and their update handlers to the view.
void BindChannelListCommands(CPWR455View& view);

// Puts channel `ch` on the system clipboard as one tab-separated row with the CSV columns, as
// a spreadsheet takes it (Copy does this beside the engine's own channel clipboard).
void CopyChannelRowToClipboard(const CR455Radio& radio, unsigned ch);
