// Fleet writes and the connection check's information run: the real serial code against the
// simulated transceiver, on the fake clock.

#include <sstream>

#include "clone_test_util.h"
#include "clone/connection_doctor.h"
#include "clone/fleet_writer.h"

using namespace clonetest;

namespace {

// One transceiver of the fleet as it is plugged in.
struct CFleetRadio {
    const char* comment;
    const char* fault;
};

// Presses Cancel (Ctrl-C) when told to.
class CFleetHost : public CRecordingCloneHost {
public:
    bool stop = false;
    bool CheckCancel() override { return stop; }
};

class SafeCloneTest : public ::testing::Test {
protected:
    void Plug(const CFleetRadio& radio)
    {
        CSimFaults faults;
        ASSERT_TRUE(!*radio.fault || faults.Set(radio.fault));
        sim.SetFaults(faults);
        CSimTransceiver::Image image = sim.GetImage();
        std::fill(image.begin() + 0x10, image.begin() + 0x20, ' ');
        std::copy(radio.comment, radio.comment + std::strlen(radio.comment), image.begin() + 0x10);
        sim.SetImage(image);
    }
    void Unplug()
    {
        CSimFaults gone;
        gone.silence = true; // the cable stays on the port: it echoes, nobody answers
        sim.SetFaults(gone);
    }
    size_t Requests(uint8_t command) const
    {
        size_t n = 0;
        for (const auto& f : sim.GetReceivedFrames())
            n += f.bytes.size() > 2 && f.bytes[2] == command;
        return n;
    }

    CFleetHost host;
    CFakeCloneClock clock{&host.events};
    CSimTransceiver sim;
    CTempFile transfer{"cl"};
};

} // namespace

TEST_F(SafeCloneTest, FleetWritesEachTransceiverOnceAndRefusesOtherModels)
{
    const CFleetRadio radios[] = {
        {"RADIO A", ""}, {"OTHER", "wrong-model"}, {"RADIO C", "refuse-write"}};
    ASSERT_TRUE(clock.Drive(sim));
    Plug(radios[0]);
    CR455Radio data;
    data.ResetData();
    data.SetCloneComment("CLUB");
    CFleetWriter writer(data, sim.GetDevicePath(), host, clock, transfer);

    // Each transceiver goes once its line is out; the next comes after one unanswered request.
    std::ostringstream out, log, err;
    size_t plugged = 1, goneAt = 0;
    bool present = true;
    clock.onWait = [&] {
        const std::string text = out.str();
        const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
        if (present && lines == plugged) {
            Unplug();
            present = false;
            goneAt = Requests(0xE0);
        } else if (!present && Requests(0xE0) > goneAt + 1) {
            if (plugged == std::size(radios)) {
                host.stop = true;
            } else {
                Plug(radios[plugged++]);
                present = true;
            }
        }
    };
    const CFleetWriter::Tally tally = writer.Run(out, &log, err);

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
    EXPECT_EQ(log.str(), out.str());
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(sim.GetWriteCount(), 1);
    EXPECT_EQ(Requests(0xE3), 2u); // the other model was never asked to take data
    EXPECT_EQ(host.Find("beep 1000 50").size(), 2u);
    EXPECT_EQ(host.Find("beep 500 400").size(), 8u);
    // Nothing but the lines: no status texts, no boxes, no questions.
    EXPECT_TRUE(host.Find("status").empty() && host.Find("box").empty() && host.Find("ask").empty());
    // Between information runs the writer waits 2 s, never less: nine pauses for this course.
    EXPECT_EQ(host.Find("sleep 2000").size(), 9u);
}

TEST_F(SafeCloneTest, InformationRunSaysWhichFailureItWas)
{
    const struct {
        const char* fault;
        bool answered;
        const char* text;
    } cases[] = {
        {"", true, "The transceiver answered: VX-R455NORD, comment \"RADIO A\"."},
        {"no-cable", false, "Nothing came back from the cable, not even the echo of the request."},
        {"silence", false, "The cable echoed the request, but no transceiver answered."},
        {"bad-comment", false, "The transceiver's answer came garbled."},
        {"wrong-revision", false,
         "A transceiver answered as model 2270 revision 0102, which this program cannot program."},
    };
    ASSERT_TRUE(clock.Drive(sim));
    for (const auto& c : cases) {
        Plug({"RADIO A", c.fault});
        bool answered = !c.answered;
        const CDoctorFinding f =
            CConnectionDoctor::RunInformation(host, clock, sim.GetDevicePath(), &answered);
        EXPECT_EQ(f.text, c.text);
        EXPECT_EQ(answered, c.answered) << c.text;
    }
    bool answered = true;
    EXPECT_EQ(CConnectionDoctor::RunInformation(host, clock, "/nonexistent/tty", &answered).text,
              "Port /nonexistent/tty could not be opened for the information run.");
    EXPECT_FALSE(answered);
}
