// The clone link through the serial code on a pseudo-terminal: a port another program holds.

#include "clone_test_util.h"

using namespace clonetest;

namespace {

using CloneLinkTest = CCloneFixture<>;

const char kOneRecord[] = "22700101\r\n#COMMENT\r\n00100141\r\n";

} // namespace

TEST_F(CloneLinkTest, BusyPortGives91WithoutSendingAndCancelFreesThePort)
{
    StartSim(CSimFaults(), CSimTransceiver::ELine::PseudoTerminal);
    WriteFile(transfer.GetPath(), kOneRecord);
    {
        CCommPort holder; // another program has the port
        ASSERT_TRUE(holder.Open(sim.GetDevicePath(), 9600));
        EXPECT_EQ(91, link.CloneIn());
        EXPECT_EQ(91, link.CloneInfo());
    }
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    EXPECT_EQ(1u, host.Find("progress-destroy").size()); // the progress window went again
    EXPECT_EQ(0, link.CloneInfo()); // once the other program is gone the port is usable again

    host.cancelAtPercent = 20;
    EXPECT_EQ(1, link.CloneIn());
    EXPECT_EQ((Lines{"progress 20", "cancel", "sleep 500", "progress-destroy"}),
              Lines(host.events.end() - 4, host.events.end()));
    CCommPort other;
    EXPECT_TRUE(other.Open(sim.GetDevicePath(), 9600));
}
