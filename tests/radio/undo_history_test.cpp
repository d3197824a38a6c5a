#include "radio/undo_history.h"

#include <gtest/gtest.h>

#include "exchange/channel_csv.h"
#include "radio/channel_order.h"
#include "radio/r455_radio.h"

namespace {

// Changes to channels, settings and the whole data set (the other commands are undone in the
// program's tests).
const std::pair<const char*, void (*)(CR455Radio&)> kChanges[] = {
    {"edit", [](CR455Radio& r) { r.Command("CH.MCH.5.ALL=APPEAR=ON\tFREQUENCY=136.975\tNAME=far"); }},
    {"settings", [](CR455Radio& r) { r.SetBeep("OFF"), r.SetChSpacing("8.33kHz"); }},
    {"paste rows", [](CR455Radio& r) { PasteChannelRows(r, 7, "7\t127.1\tX\tON\tON", nullptr, nullptr); }},
    {"move", [](CR455Radio& r) { MoveChannel(r, 3, true); }},
    {"read", [](CR455Radio& r) { // a read from the transceiver loads what it received
         CR455Radio read;
         read.ResetData(), read.SetBeep("OFF"), read.SaveFile(r.GetTempPath()), r.LoadFromFile(r.GetTempPath());
     }},
};

class UndoHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        radio.ResetData();
        PasteChannelRows(radio, 2, "\t121.5\tTOWER\t\t\n\t118.1\tATIS\t\t\n", nullptr, nullptr);
        radio.SetEdited(false); // as after a save
        history.Clear();
    }
    CR455Radio radio;
    CUndoHistory history{radio};
};

} // namespace

TEST_F(UndoHistoryTest, ChangesUndoneAndRedoneToTheByteRefusedOrNestedOnesAddNoStep)
{
    for (const auto& [name, change] : kChanges) {
        SCOPED_TRACE(name);
        const auto saved = radio.GetDataSet();
        ASSERT_TRUE(history.Record(name, [&, &apply = change] { apply(radio); }));
        const auto changed = radio.GetDataSet();
        ASSERT_TRUE(history.Undo());
        EXPECT_TRUE(radio.GetDataSet() == saved && !radio.IsEdited()) << "back at the saved data";
        EXPECT_EQ(history.GetRedoName(), name);
        ASSERT_TRUE(history.Redo());
        EXPECT_TRUE(radio.GetDataSet() == changed && radio.IsEdited());
        history.Undo();
    }
    EXPECT_FALSE(history.Record("refused", [&] { radio.Command("CH.MCH.1.CLEAR"); }));
    {
        CUndoStep outer(history, "outer");
        EXPECT_FALSE(history.Record("inner", [&] { radio.SetBeep("OFF"); }));
        EXPECT_FALSE(history.Undo()) << "no undo while a step is open";
    }
    EXPECT_EQ(history.GetUndoName(), "outer");
    for (size_t i = 0; i < CUndoHistory::kDefaultDepth + 5; ++i)
        history.Record("", [&] { radio.SetPriorityChannel(std::to_string(i % 19 + 1)); });
    radio.SetEdited(false);
    history.MarkSaved();
    while (history.Undo()) {
    }
    EXPECT_EQ(radio.GetPrioCh(), "5") << "the oldest step kept is the sixth";
    EXPECT_TRUE(radio.IsEdited()) << "undone past a save";
    history.Redo();
    history.Record("new", [&] { radio.SetBeep("ON"); });
    EXPECT_FALSE(history.CanRedo());
}
