#include "radio/channel_commands.h"

#include "radio/channel_edits.h"
#include "radio/channel_order.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

namespace {

EChannelOp EditOp(EListCommand command)
{
    switch (command) {
    case EListCommand::kCopy:
        return EChannelOp::kCopy;
    case EListCommand::kPaste:
        return EChannelOp::kPaste;
    case EListCommand::kClear:
        return EChannelOp::kClear;
    case EListCommand::kDelete:
        return EChannelOp::kDelete;
    default:
        return EChannelOp::kInsert;
    }
}

unsigned StepId(EListCommand command)
{
    switch (command) {
    case EListCommand::kPaste:
        return IDS_STEP_PASTE;
    case EListCommand::kClear:
        return IDS_STEP_CLEAR;
    case EListCommand::kDelete:
        return IDS_STEP_DELETE;
    case EListCommand::kInsert:
        return IDS_STEP_INSERT;
    case EListCommand::kMoveUp:
        return IDS_STEP_MOVE_UP;
    case EListCommand::kMoveDown:
        return IDS_STEP_MOVE_DOWN;
    case EListCommand::kSortByFrequency:
        return IDS_STEP_SORT_FREQUENCY;
    default:
        return IDS_STEP_SORT_NAME;
    }
}

bool IsSort(EListCommand command)
{
    return command == EListCommand::kSortByFrequency || command == EListCommand::kSortByName;
}

bool IsMove(EListCommand command)
{
    return command == EListCommand::kMoveUp || command == EListCommand::kMoveDown;
}

// The engine's operation on one channel; the status bar shows its idle text afterwards.
void RunEdit(CR455Radio& radio, EListCommand command, unsigned ch)
{
    CChannelEdits edits(radio);
    switch (command) {
    case EListCommand::kPaste:
        edits.Paste(ch);
        break;
    case EListCommand::kClear:
        edits.Clear(ch);
        break;
    case EListCommand::kDelete:
        edits.Delete(ch);
        break;
    default:
        edits.Insert(ch);
        break;
    }
}

std::vector<unsigned> AllRows()
{
    std::vector<unsigned> rows;
    for (unsigned ch = 1; ch <= CR455Radio::kChannelCount; ++ch)
        rows.push_back(ch);
    return rows;
}

} // namespace

CListCommandPlan PlanListCommand(CR455Radio& radio, EListCommand command, unsigned ch)
{
    CListCommandPlan plan;
    if (IsSort(command)) {
        plan.enabled = true;
        return plan;
    }
    if (IsMove(command)) {
        plan.enabled = CanMoveChannel(radio, ch, command == EListCommand::kMoveUp);
        return plan;
    }
    const EChannelAnswer answer = CChannelEdits(radio).Check(ch, EditOp(command));
    switch (command) {
    case EListCommand::kCopy:
    case EListCommand::kClear:
        plan.enabled = answer == EChannelAnswer::kOk;
        break;
    case EListCommand::kPaste:
        plan.enabled = answer != EChannelAnswer::kRefused;
        if (answer == EChannelAnswer::kWarning)
            plan.question = IDS_OVERWRITE_HERE;
        break;
    case EListCommand::kInsert:
        plan.enabled = answer != EChannelAnswer::kRefused;
        // Anything but "OK" means the last channel is in use and would be pushed out.
        if (answer != EChannelAnswer::kOk)
            plan.refusal = IDS_LAST_CH_NOT_BLANK;
        break;
    default:
        plan.enabled = answer != EChannelAnswer::kRefused;
        break;
    }
    return plan;
}

CListCommandOutcome RunListCommand(CR455Radio& radio, CUndoHistory& history, EListCommand command,
                                   unsigned ch)
{
    CListCommandOutcome outcome;
    outcome.selected = ch;
    if (command == EListCommand::kCopy) {
        // Copying changes no channel: nothing is redrawn and the status bar stays.
        CChannelEdits(radio).Copy(ch);
        return outcome;
    }
    std::string message;
    const std::string step = UndoStepName(StepId(command), IsSort(command) ? 0 : ch);
    if (IsMove(command)) {
        unsigned moved = 0;
        history.Record(step, [&] {
            moved = MoveChannel(radio, ch, command == EListCommand::kMoveUp, &message);
        });
        if (moved != 0)
            outcome.changedRows = {ch, moved};
        outcome.selected = moved != 0 ? moved : ch;
    } else if (IsSort(command)) {
        const EChannelSortKey key = command == EListCommand::kSortByFrequency
                                        ? EChannelSortKey::kFrequency
                                        : EChannelSortKey::kName;
        bool sorted = false;
        history.Record(step,
                       [&] { sorted = SortChannels(radio, key, &message) == ESortOutcome::kSorted; });
        if (sorted)
            outcome.changedRows = AllRows();
    } else {
        history.Record(step, [&] { RunEdit(radio, command, ch); });
        // Delete and Insert move the channels after `ch`.
        const bool onlyThis = command == EListCommand::kPaste || command == EListCommand::kClear;
        outcome.changedRows = onlyThis ? std::vector<unsigned>{ch} : AllRows();
        message = LoadResString(IDS_IDLE_MESSAGE);
    }
    outcome.status = message;
    return outcome;
}

std::string UndoStepName(unsigned id, unsigned ch)
{
    return FormatText(LoadResString(id), {ch ? ChannelLabel(ch) : std::string()});
}

std::optional<std::string> UndoOrRedoStep(CUndoHistory& history, bool redo)
{
    const std::string name = redo ? history.GetRedoName() : history.GetUndoName();
    if (!(redo ? history.Redo() : history.Undo()))
        return std::nullopt;
    return FormatText(LoadResString(redo ? IDS_REDONE : IDS_UNDONE), {name});
}

std::string UndoMenuLabel(const CUndoHistory& history, bool redo)
{
    const bool can = redo ? history.CanRedo() : history.CanUndo();
    if (!can)
        return LoadResString(redo ? IDS_MENU_REDO : IDS_MENU_UNDO);
    return FormatText(LoadResString(redo ? IDS_MENU_REDO_NAMED : IDS_MENU_UNDO_NAMED),
                      {redo ? history.GetRedoName() : history.GetUndoName()});
}
