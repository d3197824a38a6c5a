#include "radio/channel_commands.h"

#include "radio/channel_edits.h"
#include "radio/channel_order.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "text/text_util.h"

namespace {

enum class EKind { kEdit, kMove, kSort };

// Each command: what kind it is, the engine's operation and how to run it (edits), and the
// name of its undo step.
struct SCommand {
    EListCommand command;
    EKind kind;
    EChannelOp op;
    EChannelAnswer (CChannelEdits::*run)(unsigned);
    unsigned stepId;
};

const SCommand kCommands[] = {
    {EListCommand::kCopy, EKind::kEdit, EChannelOp::kCopy, &CChannelEdits::Copy, 0},
    {EListCommand::kPaste, EKind::kEdit, EChannelOp::kPaste, &CChannelEdits::Paste, IDS_STEP_PASTE},
    {EListCommand::kClear, EKind::kEdit, EChannelOp::kClear, &CChannelEdits::Clear, IDS_STEP_CLEAR},
    {EListCommand::kDelete, EKind::kEdit, EChannelOp::kDelete, &CChannelEdits::Delete,
     IDS_STEP_DELETE},
    {EListCommand::kInsert, EKind::kEdit, EChannelOp::kInsert, &CChannelEdits::Insert,
     IDS_STEP_INSERT},
    {EListCommand::kMoveUp, EKind::kMove, {}, nullptr, IDS_STEP_MOVE_UP},
    {EListCommand::kMoveDown, EKind::kMove, {}, nullptr, IDS_STEP_MOVE_DOWN},
    {EListCommand::kSortByFrequency, EKind::kSort, {}, nullptr, IDS_STEP_SORT_FREQUENCY},
    {EListCommand::kSortByName, EKind::kSort, {}, nullptr, IDS_STEP_SORT_NAME},
};

const SCommand& Find(EListCommand command)
{
    for (const SCommand& c : kCommands) {
        if (c.command == command)
            return c;
    }
    return kCommands[0];
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
    const SCommand& c = Find(command);
    CListCommandPlan plan;
    if (c.kind == EKind::kSort) {
        plan.enabled = true;
        return plan;
    }
    if (c.kind == EKind::kMove) {
        plan.enabled = CanMoveChannel(radio, ch, command == EListCommand::kMoveUp);
        return plan;
    }
    const EChannelAnswer answer = CChannelEdits(radio).Check(ch, c.op);
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
    const SCommand& c = Find(command);
    std::string message;
    const std::string step = UndoStepName(c.stepId, c.kind == EKind::kSort ? 0 : ch);
    if (c.kind == EKind::kMove) {
        unsigned moved = 0;
        history.Record(step, [&] {
            moved = MoveChannel(radio, ch, command == EListCommand::kMoveUp, &message);
        });
        if (moved != 0)
            outcome.changedRows = {ch, moved};
        outcome.selected = moved != 0 ? moved : ch;
    } else if (c.kind == EKind::kSort) {
        const EChannelSortKey key = command == EListCommand::kSortByFrequency
                                        ? EChannelSortKey::kFrequency
                                        : EChannelSortKey::kName;
        bool sorted = false;
        history.Record(step,
                       [&] { sorted = SortChannels(radio, key, &message) == ESortOutcome::kSorted; });
        if (sorted)
            outcome.changedRows = AllRows();
    } else {
        history.Record(step, [&] {
            CChannelEdits edits(radio);
            (edits.*c.run)(ch);
        });
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
