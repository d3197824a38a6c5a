#include "radio/undo_history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "radio/channel_csv.h"
#include "radio/channel_order.h"
#include "radio/r455_radio.h"

namespace {

void Use(CR455Radio& r, unsigned ch, const char* frequency, const char* name)
{
    r.Command(CR455Radio::ChPrefix(ch) + "ALL=APPEAR=ON\tFREQUENCY=" + frequency + "\tNAME=" + name);
    r.HealCh(ch);
}

void LoadOther(CR455Radio& r)
{
    CR455Radio other;
    other.ResetData();
    Use(other, 4, "119.1", "LOADED");
    const auto path = std::filesystem::temp_directory_path() / "undo_load.qrb";
    other.SaveFile(path.string());
    r.LoadFromFile(path.string());
    std::filesystem::remove(path);
}

// One of each kind of change the program makes to a data set.
const std::pair<const char*, void (*)(CR455Radio&)> kChanges[] = {
    {"edit", [](CR455Radio& r) { Use(r, 5, "136.975", "far"); }},
    {"paste", [](CR455Radio& r) { r.Command("CH.MCH.2.COPY"), r.Command("CH.MCH.9.PASTE"); }},
    {"clear", [](CR455Radio& r) { r.Command("CH.MCH.3.CLEAR"); }},
    {"delete", [](CR455Radio& r) { r.Command("CH.MCH.2.DELETE"); }},
    {"insert", [](CR455Radio& r) { r.Command("CH.MCH.2.INSERT"); }},
    {"settings", [](CR455Radio& r) { r.SetBeep("OFF"), r.SetChSpacing("8.33kHz"); }},
    {"import", [](CR455Radio& r) { ImportChannelsCsv(r, "Channel,Frequency,Name,Tx Inhibit,Lockout\n7,127.1,X,ON,ON\n", nullptr); }},
    {"move", [](CR455Radio& r) { MoveChannel(r, 3, true); }},
    {"sort", [](CR455Radio& r) { SortChannels(r, EChannelSortKey::kName); }},
    {"load", LoadOther},
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
    for (const auto& [name, change] : kChanges) {
        SCOPED_TRACE(name);
        const auto saved = radio.GetDataSet();
        ASSERT_TRUE(history.Record(name, [&] { change(radio); }));
        const auto changed = radio.GetDataSet();
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(radio.GetDataSet(), saved);
        EXPECT_FALSE(radio.IsEdited()) << "back at the saved data set";
        EXPECT_EQ(history.GetRedoName(), name);
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(radio.GetDataSet(), changed);
        EXPECT_TRUE(radio.IsEdited());
        history.Undo();
    }
}

TEST_F(UndoHistoryTest, RefusedNestedAndReplacedChangesAddNoStep)
{
    EXPECT_FALSE(history.Record("refused", [&] { radio.Command("CH.MCH.1.CLEAR"); }));
    {
        CUndoStep outer(history, "outer");
        EXPECT_FALSE(history.Record("inner", [&] { radio.SetBeep("OFF"); }));
        EXPECT_FALSE(history.Undo()) << "no undo while a step is open";
    }
    EXPECT_EQ(history.GetUndoName(), "outer");
    {
        CUndoStep replaced(history, "replaced");
        radio.SetBeep("ON");
        history.Clear(); // File New or Open
    }
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistoryTest, KeepsTheLastHundredStepsAndUndoPastASaveLeavesTheDataModified)
{
    for (size_t i = 0; i < CUndoHistory::kDefaultDepth + 5; ++i)
        history.Record("", [&] { radio.SetPriorityChannel(std::to_string(i % 19 + 1)); });
    radio.SetEdited(false);
    history.MarkSaved();
    EXPECT_EQ(history.GetUndoCount(), CUndoHistory::kDefaultDepth);
    while (history.Undo()) {
    }
    EXPECT_EQ(radio.GetPrioCh(), "5") << "the oldest step kept is the sixth";
    EXPECT_TRUE(radio.IsEdited());
    history.Redo();
    history.Record("new", [&] { radio.SetBeep("OFF"); });
    EXPECT_FALSE(history.CanRedo());
}
