#include "radio/channel_commands.h"

#include <gtest/gtest.h>

#include "exchange/channel_csv.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"

namespace {

// Channels 1 to 3 in use, 4 to 19 blank; channel 20 in use where a case asks for it.
class ChannelCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        radio.ResetData();
        PasteChannelRows(radio, 1, "1\t127.0\tONE\tOFF\tOFF\n2\t119.0\tZULU\tOFF\tOFF\n"
                                   "3\t118.5\tALPHA\tOFF\tOFF\n", nullptr, nullptr);
    }
    CR455Radio radio;
    CUndoHistory history{radio};
};

struct CPlanCase {
    const char* what;
    EListCommand command;
    unsigned ch;
    bool copiedFirst; // channel 2 copied before the plan
    bool lastInUse;   // channel 20 in use
    bool enabled;
    unsigned question;
    unsigned refusal;
};

const CPlanCase kPlans[] = {
    {"copy a channel in use", EListCommand::kCopy, 2, false, false, true, 0, 0},
    {"paste with nothing copied", EListCommand::kPaste, 5, false, false, false, 0, 0},
    {"paste onto a blank channel", EListCommand::kPaste, 5, true, false, true, 0, 0},
    {"paste onto a channel in use", EListCommand::kPaste, 3, true, false, true,
     IDS_OVERWRITE_HERE, 0},
    {"clear channel 1", EListCommand::kClear, 1, false, false, false, 0, 0},
    {"insert", EListCommand::kInsert, 2, false, false, true, 0, 0},
    {"insert with channel 20 in use", EListCommand::kInsert, 2, false, true, true, 0,
     IDS_LAST_CH_NOT_BLANK},
    {"move channel 1 up", EListCommand::kMoveUp, 1, false, false, false, 0, 0},
    {"move channel 2 down", EListCommand::kMoveDown, 2, false, false, true, 0, 0},
    {"sort", EListCommand::kSortByName, 7, false, false, true, 0, 0},
};

TEST_F(ChannelCommandsTest, PlansAskAndRefuseAsTheEngineChecks)
{
    for (const CPlanCase& c : kPlans) {
        SetUp();
        if (c.copiedFirst)
            RunListCommand(radio, history, EListCommand::kCopy, 2);
        if (c.lastInUse)
            PasteChannelRows(radio, 20, "20\t121.5\tLAST\tOFF\tOFF\n", nullptr, nullptr);
        const CListCommandPlan plan = PlanListCommand(radio, c.command, c.ch);
        EXPECT_EQ(plan.enabled, c.enabled) << c.what;
        EXPECT_EQ(plan.question, c.question) << c.what;
        EXPECT_EQ(plan.refusal, c.refusal) << c.what;
    }
}

TEST_F(ChannelCommandsTest, EachChangeIsOneNamedStepThatUndoes)
{
    const std::string before = radio.GetChName(3);
    const CListCommandOutcome moved = RunListCommand(radio, history, EListCommand::kMoveUp, 3);
    EXPECT_EQ(moved.changedRows, (std::vector<unsigned>{3, 2}));
    EXPECT_EQ(moved.selected, 2u);
    EXPECT_EQ(radio.GetChName(2), before);
    EXPECT_EQ(history.GetUndoName(), "Move CH 03 Up");
    EXPECT_EQ(UndoMenuLabel(history, false), "&Undo Move CH 03 Up\tCtrl+Z");

    EXPECT_EQ(UndoOrRedoStep(history, false), "Undone: Move CH 03 Up");
    EXPECT_EQ(radio.GetChName(3), before);
    EXPECT_EQ(UndoMenuLabel(history, false), "&Undo\tCtrl+Z");
    EXPECT_EQ(UndoOrRedoStep(history, false), std::nullopt);
    EXPECT_EQ(UndoOrRedoStep(history, true), "Redone: Move CH 03 Up");
}

TEST_F(ChannelCommandsTest, CopyAddsNoStepAndLeavesTheStatusBar)
{
    const CListCommandOutcome copied = RunListCommand(radio, history, EListCommand::kCopy, 2);
    EXPECT_TRUE(copied.changedRows.empty());
    EXPECT_FALSE(copied.status.has_value());
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(ChannelCommandsTest, ARefusedOrNeedlessCommandAddsNoStep)
{
    const CListCommandOutcome refused = RunListCommand(radio, history, EListCommand::kMoveUp, 1);
    EXPECT_TRUE(refused.changedRows.empty());
    EXPECT_EQ(refused.selected, 1u);
    ASSERT_TRUE(refused.status.has_value());
    EXPECT_FALSE(refused.status->empty());
    RunListCommand(radio, history, EListCommand::kSortByFrequency, 1);
    history.Clear();
    const CListCommandOutcome again =
        RunListCommand(radio, history, EListCommand::kSortByFrequency, 1);
    EXPECT_TRUE(again.changedRows.empty());
    EXPECT_FALSE(history.CanUndo());
}

} // namespace
