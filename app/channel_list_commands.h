#pragma once

// Paste Rows (Ctrl+Shift+V) of the channel list, which sets rows copied from a spreadsheet into
// the selected channel and those after it: one undoable step that says in the status bar what it
// did. The other editing commands are the view's, on the core's rules (radio/channel_commands.h).

class wxEvtHandler;
class CR455Radio;
class CUndoHistory;

// The channel list as its commands see it (the view is one): the radio data it shows, its
// undo history, the selected row, and the rows to show anew after a change.
class CChannelRows {
public:
    virtual CR455Radio* GetRadioData() const = 0;
    virtual CUndoHistory& History() = 0;
    virtual unsigned GetSelectedChannel() const = 0;
    virtual void SelectChannel(unsigned n) = 0;
    // Builds channel n's row anew from the engine's answers and shows it.
    virtual void RebuildRow(unsigned n) = 0;
    virtual void RefreshAll() = 0;

protected:
    ~CChannelRows() = default;
};

// Binds the commands and their update handlers to `handler` (the view), acting on `rows`.
void BindChannelListCommands(wxEvtHandler& handler, CChannelRows& rows);

// Puts channel `ch` on the system clipboard as one tab-separated row with the CSV columns, as
// a spreadsheet takes it (Copy does this beside the engine's own channel clipboard).
void CopyChannelRowToClipboard(const CR455Radio& radio, unsigned ch);
