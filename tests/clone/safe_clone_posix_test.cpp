// Fleet writes and the connection check's information run: the real serial code against the
// simulated transceiver, on the fake clock.

#include <cstring>
#include <sstream>

#include "clone_test_util.h"
#include "clone/connection_doctor.h"
#include "clone/fleet_writer.h"

using namespace clonetest;

namespace {

class CFleetHost : public CRecordingCloneHost {
public:
    bool stop = false;
    bool CheckCancel() override { return stop; }
};

class SafeCloneTest : public ::testing::Test {
protected:
    void Plug(const char* comment, const char* fault)
    {
        CSimFaults faults;
        ASSERT_TRUE(!*fault || faults.Set(fault));
        sim.SetFaults(faults);
        CSimTransceiver::Image image = sim.GetImage();
        std::fill(image.begin() + 0x10, image.begin() + 0x20, ' ');
        std::copy(comment, comment + std::strlen(comment), image.begin() + 0x10);
        sim.SetImage(image);
    }
    // The cable stays on the port: it echoes, nobody answers.
    void Unplug() { Plug("", "silence"); }

    CFleetHost host;
    CFakeCloneClock clock{&host.events};
    CSimTransceiver sim;
    CTempFile transfer{"cl"};
};

} // namespace

TEST_F(SafeCloneTest, FleetWritesEachTransceiverOnceAndRefusesOtherModels)
{
    ASSERT_TRUE(clock.Drive(sim));
    Plug("RADIO A", "");
    CR455Radio data;
    data.ResetData();
    CFleetWriter writer(data, sim.GetDevicePath(), host, clock, transfer);

    // What the user does at each 2-second pause of the writer, in order: the writer must pause
    // exactly where this expects it to, or the lines below come out otherwise.
    int pause = 0;
    clock.onSleep = [&](unsigned ms) {
        if (ms != CFleetWriter::kPollMs)
            return;
        switch (pause++) {
        case 0: Unplug(); break; // RADIO A written
        case 1: Plug("OTHER", "wrong-model"); break;
        case 2: Unplug(); break; // OTHER refused
        case 3: Plug("RADIO C", "refuse-write"); break;
        case 4: Unplug(); break; // RADIO C failed
        default: host.stop = true; // Ctrl-C
        }
    };
    std::ostringstream out, err;
    std::ostream log(nullptr); // a log that cannot be written: the run goes on, and says so
    const CFleetWriter::CTally tally = writer.Run(out, &log, err);

    EXPECT_EQ(tally.written, 1);
    EXPECT_EQ(tally.failed, 2);
    Lines lines;
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(21)); // after "YYYY-MM-DD HH:MM:SS  "
    EXPECT_EQ(lines, (Lines{"RADIO A           Cloning completed.",
                            "OTHER             Refused: model 2271 revision 0101 is another "
                            "transceiver; nothing written.",
                            "RADIO C           Err: Cannot write cloning data."}));
    EXPECT_TRUE(tally.logFailed);
    EXPECT_EQ(err.str(), "pwr455-cli: warning: the log file cannot be written; the lines go to "
                         "standard output only\n");
    EXPECT_EQ(sim.GetWriteCount(), 1); // the other model would have taken a write
    EXPECT_EQ(host.Find("beep 500 400").size(), 8u); // the failure tones of the last two
    EXPECT_TRUE(host.Find("status").empty() && host.Find("box").empty() && host.Find("ask").empty());
    EXPECT_EQ(pause, 6);
}

TEST_F(SafeCloneTest, FleetOnAPortThatDoesNotOpenSaysSoOnceAndWaits)
{
    CR455Radio data;
    CFleetWriter writer(data, "/nonexistent/tty", host, clock, transfer);
    int pauses = 0;
    clock.onSleep = [&](unsigned ms) { host.stop = ms == CFleetWriter::kPollMs && ++pauses == 3; };
    std::ostringstream out, err;
    EXPECT_EQ(writer.Run(out, nullptr, err).failed, 0);
    EXPECT_EQ(out.str() + err.str(), "The port /nonexistent/tty cannot be opened; still waiting "
                                     "(pwr455-cli doctor tells why).\n");
}

TEST_F(SafeCloneTest, InformationRunSaysWhichFailureItWas)
{
    const struct {
        const char* fault; // only a transceiver without one counts as having answered
        const char* text;
    } cases[] = {
        {"", "The transceiver answered: VX-R455NORD, comment \"RADIO A\"."},
        {"no-cable", "Nothing came back from the cable, not even the echo of the request."},
        {"silence", "The cable echoed the request, but no transceiver answered."},
        {"bad-comment", "The transceiver's answer came garbled."},
        {"wrong-revision",
         "A transceiver answered as model 2270 revision 0102, which this program cannot program."},
    };
    ASSERT_TRUE(clock.Drive(sim));
    for (const auto& c : cases) {
        Plug("RADIO A", c.fault);
        bool answered = *c.fault;
        EXPECT_EQ(CConnectionDoctor::RunInformation(host, clock, sim.GetDevicePath(), &answered).text,
                  c.text);
        EXPECT_EQ(answered, !*c.fault) << c.text;
    }
}
