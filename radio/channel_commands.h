#pragma once

// The channel list's editing commands as every front end offers them: Copy, Paste, Clear,
// Delete, Insert, Move Up, Move Down and the two sorts, on the channel the list's cursor is on.
// A front end asks PlanListCommand whether the command is offered and what to ask or say first,
// then runs it with RunListCommand, which makes it one undoable step, and draws the outcome.

#include <optional>
#include <string>
#include <vector>

class CR455Radio;
class CUndoHistory;

enum class EListCommand {
    kCopy,
    kPaste,
    kClear,
    kDelete,
    kInsert,
    kMoveUp,
    kMoveDown,
    kSortByFrequency,
    kSortByName,
};

struct CListCommandPlan {
    bool enabled = false;
    unsigned question = 0; // a Yes/No question (string id) to ask first: run only on Yes
    unsigned refusal = 0;  // a message (string id) to show instead of running
};

struct CListCommandOutcome {
    std::vector<unsigned> changedRows; // the channels whose rows are to be built anew
    unsigned selected = 0;             // the channel the cursor is on afterwards
    std::optional<std::string> status; // the status bar's new text; none: it stays
};

CListCommandPlan PlanListCommand(CR455Radio& radio, EListCommand command, unsigned ch);

// Runs `command` on channel `ch` as one step of `history` (a command that changes nothing adds
// none). Copy fills the engine's channel clipboard only; the system clipboard is the front end's.
CListCommandOutcome RunListCommand(CR455Radio& radio, CUndoHistory& history, EListCommand command,
                                   unsigned ch);

// The name of an undo step: string resource `id` with "CH 05" for %1 when `ch` is given.
std::string UndoStepName(unsigned id, unsigned ch = 0);

// Edit > Undo (`redo` false) or Redo: the status bar's text, or none when there was nothing to
// take back or do again.
std::optional<std::string> UndoOrRedoStep(CUndoHistory& history, bool redo);

// The Undo or Redo menu item's label with the step's name ("&Undo Edit CH 05\tCtrl+Z"), or the
// plain one when there is nothing to undo or redo.
std::string UndoMenuLabel(const CUndoHistory& history, bool redo);
