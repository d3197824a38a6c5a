#include "radio/channel_order.h"

#include <gtest/gtest.h>

#include "exchange/channel_csv.h"
#include "radio/r455_radio.h"

namespace {

// Channel 2 blank, channel 3 the priority channel, channels 6 to 20 blank.
class ChannelOrderTest : public testing::Test {
protected:
    void SetUp() override
    {
        radio.ResetData();
        PasteChannelRows(radio, 1, "1\t127.0\tONE\tOFF\tOFF\n\t\t\t\t\n3\t119.0\tALPHA\tON\tOFF\n"
                                   "4\t121.5\t\tOFF\tON\n5\t118.5\tZULU\tON\tON\n", nullptr, nullptr);
        radio.SetPriorityChannel("3");
        for (unsigned ch = 1; ch <= 6; ++ch)
            before[ch] = All(ch);
    }
    std::string All(unsigned ch) { return radio.Command(CR455Radio::ChPrefix(ch) + "ALL"); }
    // Channel i now holds what channel from[i - 1] held; the priority channel is `prio`.
    void ExpectOrder(const std::vector<unsigned>& from, const char* prio)
    {
        for (unsigned ch = 1; ch <= from.size(); ++ch)
            EXPECT_EQ(All(ch), before[from[ch - 1]]) << "channel " << ch;
        EXPECT_EQ(radio.GetPrioCh(), prio);
    }
    CR455Radio radio;
    std::string before[7];
};

// Channel, up, the channel's new number (0: refused), where each channel came from, the
// priority channel, the message.
using MoveCase = std::tuple<unsigned, bool, unsigned, std::vector<unsigned>, const char*, const char*>;
const char kRefused[] = "CH 01 cannot be blank: the blank CH 02 stays where it is";
const MoveCase kMoves[] = {
    {2, true, 0, {1, 2, 3}, "3", kRefused},
    {1, false, 0, {1, 2, 3}, "3", kRefused},
    {1, true, 0, {1}, "3", "CH 01 has no neighbour on that side"},
    {3, true, 2, {1, 3, 2, 4}, "2", "CH 03 moved to CH 02"},
    {3, false, 4, {1, 2, 4, 3, 5}, "4", "CH 03 moved to CH 04"},
};

} // namespace

TEST_F(ChannelOrderTest, MovesSwapWholeChannelsSortsPutThoseInUseFirstAndThePriorityFollows)
{
    const auto original = radio.GetDataSet();
    for (const auto& [channel, up, result, from, prio, expected] : kMoves) {
        SCOPED_TRACE(expected);
        std::string message;
        EXPECT_EQ(CanMoveChannel(radio, channel, up), result != 0);
        EXPECT_EQ(MoveChannel(radio, channel, up, &message), result);
        EXPECT_EQ(message, expected);
        ExpectOrder(from, prio);
        MoveChannel(radio, result, !up);
        EXPECT_EQ(radio.GetDataSet(), original) << "moved back, every byte is as before";
    }
    std::string message;
    EXPECT_EQ(SortChannels(radio, EChannelSortKey::kFrequency, &message), ESortOutcome::kSorted);
    EXPECT_EQ(message, "Channels sorted by frequency");
    ExpectOrder({5, 3, 4, 1, 2, 6}, "2");
    EXPECT_EQ(SortChannels(radio, EChannelSortKey::kName), ESortOutcome::kSorted);
    ExpectOrder({3, 1, 5, 4, 2, 6}, "1"); // the unnamed channel after the named ones
    EXPECT_EQ(SortChannels(radio, EChannelSortKey::kName), ESortOutcome::kAlreadyInOrder);
    // A channel arrives as a paste would leave it: its heal snaps the frequency to the grid and
    // takes the name off a blank channel.
    radio.Command("CH.MCH.4.FREQUENCY.ByNumber=121501000");
    radio.Command("CH.MCH.6.NAME=GHOST");
    MoveChannel(radio, 4, false);
    MoveChannel(radio, 6, true);
    EXPECT_EQ(radio.Command("CH.MCH.5.NAME") + radio.GetChFrequency(6), "       121.500");
}
