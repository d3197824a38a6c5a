#pragma once

// Edit > Undo and Redo in the desktop program, and the names its steps carry. The history
// itself is the document's CUndoHistory (radio/undo_history.h); a command becomes undoable by
// holding a CUndoStep while it changes the data set:
//
//     CUndoStep step(doc.GetHistory(), UndoStepName(IDS_STEP_PASTE, n));

#include <string>

class CPWR455Doc;

// The name of an undo step: string resource `id` with "CH 05" for %1 when `ch` is given.
std::string UndoStepName(unsigned id, unsigned ch = 0);

// Binds Undo (Ctrl+Z, Alt+Backspace) and Redo (Ctrl+Y, Ctrl+Shift+Z) and their update handlers,
// which put the step's name into the item ("Undo Paste CH 05") and disable it when there is
// nothing to undo or redo, to the document.
void BindUndoCommands(CPWR455Doc& doc);

// A text in the main window's status bar message pane.
void ShowStatusText(const std::string& text);
// Takes the note of an earlier action away: the message pane shows the idle text.
void ClearStatusText();
