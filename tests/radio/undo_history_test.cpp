#include "radio/undo_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "radio/channel_csv.h"
#include "radio/channel_order.h"
#include "radio/r455_radio.h"

namespace {

void Use(CR455Radio& radio, unsigned ch, std::string frequency, const std::string& name)
{
    radio.SetChAppear(ch, "ON");
    radio.SetChFrequency(ch, frequency);
    radio.SetChName(ch, name);
    radio.HealCh(ch);
}

struct ChangeCase {
    const char* name;
    std::function<void(CR455Radio&)> change;
};

// One of each kind of change the program makes to a data set.
const ChangeCase kChanges[] = {
    {"edit", [](CR455Radio& r) { Use(r, 5, "136.975", "far"); }},
    {"paste", [](CR455Radio& r) { r.Command("CH.MCH.2.COPY"), r.Command("CH.MCH.9.PASTE"); }},
    {"clear", [](CR455Radio& r) { r.Command("CH.MCH.3.CLEAR"); }},
    {"delete", [](CR455Radio& r) { r.Command("CH.MCH.2.DELETE"); }},
    {"insert", [](CR455Radio& r) { r.Command("CH.MCH.2.INSERT"); }},
    {"settings", [](CR455Radio& r) { r.SetBeep("OFF"), r.SetChSpacing("8.33kHz"); }},
    {"priority", [](CR455Radio& r) { r.SetPriorityChannel("3"); }},
    {"import", [](CR455Radio& r) { ImportChannelsCsv(r, "Channel,Frequency,Name,Tx Inhibit,Lockout\n7,127.1,X,ON,ON\n", nullptr); }},
    {"move", [](CR455Radio& r) { MoveChannel(r, 3, true); }},
    {"sort", [](CR455Radio& r) { SortChannels(r, EChannelSortKey::kName); }},
    {"load", [](CR455Radio& r) {
         CR455Radio other;
         other.ResetData();
         Use(other, 4, "119.1", "LOADED");
         const auto path = std::filesystem::temp_directory_path() / "undo_load.qrb";
         other.SaveFile(path.string());
         r.LoadFromFile(path.string());
         std::filesystem::remove(path);
     }},
};

class UndoHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        radio.ResetData();
        Use(radio, 2, "121.5", "TOWER");
        Use(radio, 3, "118.1", "ATIS");
        radio.SetEdited(false); // as after a save
        history.Clear();
    }

    CR455Radio radio;
    CUndoHistory history{radio};
};

} // namespace

TEST_F(UndoHistoryTest, EachKindOfChangeIsUndoneAndRedoneToTheByte)
{
    for (const ChangeCase& c : kChanges) {
        SCOPED_TRACE(c.name);
        const auto saved = radio.GetDataSet();
        ASSERT_TRUE(history.Record(c.name, [&] { c.change(radio); }));
        const auto changed = radio.GetDataSet();
        ASSERT_NE(changed, saved);
        EXPECT_EQ(history.GetUndoName(), c.name);

        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(radio.GetDataSet(), saved);
        EXPECT_FALSE(radio.IsEdited()) << "back at the saved data set";
        EXPECT_EQ(history.GetRedoName(), c.name);

        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(radio.GetDataSet(), changed);
        EXPECT_TRUE(radio.IsEdited());
        ASSERT_TRUE(history.Undo());
    }
}

TEST_F(UndoHistoryTest, NothingChangedAddsNoStep)
{
    EXPECT_FALSE(history.Record("query", [&] { radio.GetChName(2), radio.Heal(); }));
    EXPECT_FALSE(history.Record("refused", [&] { radio.Command("CH.MCH.1.CLEAR"); }));
    {
        CUndoStep cancelled(history, "cancelled");
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Undo());
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(history.GetUndoName(), "");
}

TEST_F(UndoHistoryTest, KeepsTheLastHundredStepsAndANewStepDropsTheRedoSteps)
{
    for (size_t i = 0; i < CUndoHistory::kDefaultDepth + 5; ++i)
        history.Record(std::to_string(i), [&] { radio.SetPriorityChannel(std::to_string(i % 20 + 1)); });
    EXPECT_EQ(history.GetUndoCount(), CUndoHistory::kDefaultDepth);
    while (history.Undo()) {
    }
    EXPECT_EQ(radio.GetPrioCh(), "5") << "the oldest kept step is undone last";
    history.Redo();
    history.Record("new", [&] { radio.SetBeep("OFF"); });
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetUndoName(), "new");
}

TEST_F(UndoHistoryTest, StepsDoNotNestAndClearEndsTheOpenOnes)
{
    {
        CUndoStep outer(history, "outer");
        EXPECT_FALSE(history.Record("inner", [&] { radio.SetBeep("OFF"); }));
        EXPECT_FALSE(history.CanUndo()) << "no undo while a step is open";
        radio.SetSideTone("ON");
    }
    EXPECT_EQ(history.GetUndoCount(), 1u);
    {
        CUndoStep replaced(history, "replaced");
        radio.SetBeep("ON");
        history.Clear();
    }
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistoryTest, UndoPastASaveLeavesTheDataSetModified)
{
    history.Record("beep", [&] { radio.SetBeep("OFF"); });
    radio.SetEdited(false);
    history.MarkSaved();
    history.Undo();
    EXPECT_TRUE(radio.IsEdited());
    history.Redo();
    EXPECT_FALSE(radio.IsEdited());
}
