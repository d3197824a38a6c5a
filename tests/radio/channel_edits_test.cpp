#include "radio/channel_edits.h"

#include <functional>

#include <gtest/gtest.h>

#include "tests/common/recording_radio.h"

namespace {

using Strings = std::vector<std::string>;
const char kPrioOff[] = "COMMON.SCAN_PRIO=OFF";
const char kPrioChOff[] = "COMMON.PRIOCH=OFF";

// The real engine with channels 2 and 3 in use, 3 the priority channel; only what the edit
// sends is recorded.
struct CEditsRadio : CRecordingRadio {
    CEditsRadio()
    {
        forward = true;
        ResetData();
        CChannelEdits(*this).SetInUse(2, {"TOWER", false, false, "121.500"});
        CChannelEdits(*this).SetInUse(3, {"ATIS", false, false, "118.100"});
        SetPriorityChannel("3");
        sent.clear();
    }
};

struct CEditCase {
    const char* what;
    std::function<EChannelAnswer(CChannelEdits&)> edit;
    Strings sent;
    EChannelAnswer answer;
};

const EChannelAnswer kOk = EChannelAnswer::kOk;
const EChannelAnswer kNo = EChannelAnswer::kRefused;
const EChannelAnswer kWarn = EChannelAnswer::kWarning;

const CEditCase kEdits[] = {
    {"copy check", [](CChannelEdits& e) { return e.Check(1, EChannelOp::kCopy); },
     {"CH.MCH.1.COPY.CHECK"}, kOk},
    {"paste check before a copy", [](CChannelEdits& e) { return e.Check(5, EChannelOp::kPaste); },
     {"CH.MCH.5.PASTE.CHECK"}, kNo},
    {"clear check on 1", [](CChannelEdits& e) { return e.Check(1, EChannelOp::kClear); },
     {"CH.MCH.1.CLEAR.CHECK"}, kNo},
    {"delete check in use", [](CChannelEdits& e) { return e.Check(2, EChannelOp::kDelete); },
     {"CH.MCH.2.DELETE.CHECK"}, kWarn},
    {"insert check", [](CChannelEdits& e) { return e.Check(2, EChannelOp::kInsert); },
     {"CH.MCH.2.INSERT.CHECK"}, kOk},
    {"copy", [](CChannelEdits& e) { return e.Copy(2); }, {"CH.MCH.2.COPY"}, kOk},
    {"paste", [](CChannelEdits& e) { return e.Copy(2), e.Paste(5); },
     {"CH.MCH.2.COPY", "CH.MCH.5.PASTE"}, kOk},
    {"clear the priority channel", [](CChannelEdits& e) { return e.Clear(3); },
     {"CH.MCH.3.CLEAR", "COMMON.PRIOCH", kPrioOff, kPrioChOff}, kOk},
    {"clear another", [](CChannelEdits& e) { return e.Clear(2); },
     {"CH.MCH.2.CLEAR", "COMMON.PRIOCH"}, kOk},
    {"clear refused", [](CChannelEdits& e) { return e.Clear(1); }, {"CH.MCH.1.CLEAR"}, kNo},
    {"delete", [](CChannelEdits& e) { return e.Delete(5); },
     {"CH.MCH.5.DELETE", kPrioOff, kPrioChOff}, kOk},
    {"insert", [](CChannelEdits& e) { return e.Insert(2); },
     {kPrioOff, kPrioChOff, "CH.MCH.2.INSERT"}, kOk},
};

} // namespace

TEST(ChannelEdits, EachEditSendsItsCommandsInOrderAndReadsTheAnswer)
{
    for (const CEditCase& c : kEdits) {
        CEditsRadio radio;
        CChannelEdits edits(radio);
        EXPECT_EQ(c.edit(edits), c.answer) << c.what;
        EXPECT_EQ(radio.sent, c.sent) << c.what;
    }
}

TEST(ChannelEdits, ChecksReadCopyAndClearTwoWaysTheOthersThreeWays)
{
    // Answer, then the readings of Copy, Clear, Paste, Delete, Insert and the blank rule:
    // ok, refused, warning; blank rule: may be blank, must stay in use, unknown.
    const std::pair<const char*, const char*> cases[] = {
        {"OK", "ooooo m"}, {"NG", "rrrrr s"}, {"WARNING", "rrwww u"}, {"", "rrwww u"}};
    const EChannelOp ops[] = {EChannelOp::kCopy, EChannelOp::kClear, EChannelOp::kPaste,
                              EChannelOp::kDelete, EChannelOp::kInsert};
    const char* const words[] = {"COPY", "CLEAR", "PASTE", "DELETE", "INSERT"};
    for (const auto& [answer, expected] : cases) {
        CRecordingRadio radio;
        CChannelEdits edits(radio);
        std::string read;
        for (size_t i = 0; i < 5; ++i) {
            radio.answers["CH.MCH.4." + std::string(words[i]) + ".CHECK"] = answer;
            read += "row"[static_cast<int>(edits.Check(4, ops[i]))];
        }
        read += " ";
        read += "msu"[static_cast<int>(edits.BlankRule(4))];
        EXPECT_EQ(read, expected) << answer;
    }
}

TEST(ChannelEdits, WritesSendNameFlagsFrequencyAppearAndHeal)
{
    const Strings inUse = {"CH.MCH.2.NAME=TWR", "CH.MCH.2.TXINHIBIT=ON", "CH.MCH.2.CHLOCKOUT=OFF",
                           "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON", "CH.MCH.2.HEAL"};
    CEditsRadio radio;
    CChannelEdits edits(radio);
    EXPECT_EQ(edits.Write(2, {"TWR", true, false, " 121.5\t"}), "121.5");
    EXPECT_EQ(radio.sent, inUse);
    radio.sent.clear();
    edits.SetInUse(2, {"TWR", true, false, "121.5"});
    EXPECT_EQ(radio.sent, inUse);

    // A blank frequency blanks the channel and ends priority scanning, whatever the priority
    // channel; the imports' write keeps the channel in use all the same.
    radio.sent.clear();
    EXPECT_EQ(edits.Write(2, {"", false, true, "  "}), "");
    EXPECT_EQ(radio.sent, Strings({"CH.MCH.2.NAME= ", "CH.MCH.2.TXINHIBIT=OFF",
                                   "CH.MCH.2.CHLOCKOUT=ON", "CH.MCH.2.CLEAR.CHECK",
                                   "CH.MCH.2.FREQUENCY=", kPrioOff, kPrioChOff,
                                   "CH.MCH.2.APPEAR=OFF", "CH.MCH.2.HEAL"}));
    EXPECT_EQ(radio.GetChAppear(2), "OFF");
    radio.sent.clear();
    edits.SetInUse(4, {"GND", false, false, ""});
    EXPECT_EQ(radio.sent.at(4), "CH.MCH.4.APPEAR=ON");

    // Only an outright "NG" keeps the channel's frequency (channel 1); any other answer lets
    // the write blank it.
    edits.SetInUse(1, {"FIRST", false, false, "127.000"});
    radio.sent.clear();
    EXPECT_EQ(edits.Write(1, {"FIRST", false, false, ""}), "127.000");
    EXPECT_EQ(radio.sent.at(3) + radio.sent.at(4) + radio.sent.at(5),
              "CH.MCH.1.CLEAR.CHECKCH.MCH.1.FREQUENCYCH.MCH.1.FREQUENCY=127.000");
    EXPECT_EQ(radio.sent.back(), "CH.MCH.1.HEAL");
    radio.answers["CH.MCH.3.CLEAR.CHECK"] = "";
    EXPECT_EQ(edits.Write(3, {"ATIS", false, false, ""}), "");
    EXPECT_EQ(radio.GetChAppear(3), "OFF");
}
