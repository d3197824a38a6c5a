#pragma once

// Edit > Undo and Redo in the desktop program, and the names its steps carry. The history
// itself is the document's CUndoHistory (radio/undo_history.h); a command becomes undoable by
// holding a CUndoStep while it changes the data set:
//
//     CUndoStep step(doc.GetHistory(), UndoStepName(IDS_STEP_PASTE, n));

#include <string>

#include "radio/channel_commands.h"

class wxDocument;
class CUndoHistory;


// Binds Undo (Ctrl+Z, Alt+Backspace) and Redo (Ctrl+Y, Ctrl+Shift+Z) and their update handlers,
// which put the step's name into the item ("Undo Paste CH 05") and disable it when there is
// nothing to undo or redo, to the document, whose history `history` is.
void BindUndoCommands(wxDocument& doc, CUndoHistory& history);
