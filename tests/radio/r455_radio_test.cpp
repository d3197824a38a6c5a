#include "radio/r455_radio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "engine/radio_engine.h"
#include "tests/common/recording_radio.h"

using Sent = std::vector<std::string>;

TEST(R455Radio, EachOperationSendsOneCommandAndAnswersAreTrimmedOrMarked)
{
    EXPECT_EQ(CR455Radio::ChPrefix(1) + CR455Radio::ChPrefix(20), "CH.MCH.1.CH.MCH.20.");
    CRecordingRadio radio;
    radio.HealCh(0); // channels outside 1 to 20 have no prefix
    radio.GetChFrequency(25);
    radio.SetChName(static_cast<unsigned>(-1), "X");
    radio.Heal();
    radio.HealCh(7);
    radio.SetChName(3, "   "); // changes are trimmed at the end, and nothing at all is one space
    radio.SetChName(3, " AB \t\r\n");
    radio.SetCloneComment("");
    radio.SetCloneComment("My radio  \t");
    radio.SetOpeningText(" \t "); // an empty opening text is the erased character
    radio.SetOpeningText("HELLO  ");
    radio.SetOpeningText("\xC3\x98rsta"); // the display's letters, case kept
    std::string frequency = " \t121.5  ";
    radio.SetChFrequency(4, frequency); // trimmed on both sides, in the caller's string too
    EXPECT_EQ(frequency, "121.5");
    radio.SetEdited(true);
    radio.SetEdited(false);
    // The channel fields' own commands are checked by the Edit Memory dialog's tests.
    Sent expected = {"HEAL", "FREQUENCY", "NAME=X", "HEAL", "CH.MCH.7.HEAL", "CH.MCH.3.NAME= ",
        "CH.MCH.3.NAME= AB", "COMMON.CLONE_COMMENT= ", "COMMON.CLONE_COMMENT=My radio",
        "COMMON.OPENING_TEXT=\xFF", "COMMON.OPENING_TEXT=HELLO", "COMMON.OPENING_TEXT=Orsta",
        "CH.MCH.4.FREQUENCY=121.5",
        "EDIT_FLAG=ON", "EDIT_FLAG=OFF"};
    // A priority channel switches priority scanning on, "Off" or anything not above 0 switches it off.
    for (const auto& [value, scan] : {std::pair<std::string, std::string>{"5", "ON"}, {"20", "ON"}, {" 7", "ON"},
             {"Off", "OFF"}, {"0", "OFF"}, {"", "OFF"}}) {
        radio.SetPriorityChannel(value);
        expected.insert(expected.end(), {"COMMON.SCAN_PRIO=" + scan, "COMMON.PRIOCH=" + value});
    }
    EXPECT_EQ(radio.sent, expected);
    radio.answers = {{"CH.MCH.2.NAME", " TWR   "}, {"COMMON.CLONE_COMMENT", "Field day       "},
                     {"COMMON.OPENING_TEXT", "HI \t   "}, {"CH.MCH.2.FREQUENCY", " 121.500 "}};
    EXPECT_EQ(radio.GetChName(2) + "|" + radio.GetCloneComment() + "|" + radio.GetOpeningText() + "|"
                  + radio.GetChFrequency(2), " TWR|Field day|HI| 121.500 "); // frequencies keep their blanks
    radio.answers["COMMON.OPENING_TEXT"] = "\xFFHELLO ";
    EXPECT_EQ(radio.GetOpeningText(), "");
    // Only the exact words count: "NG" marks a channel as illegal, "ON" says the data are edited.
    for (const auto& [answer, mark, edited] : {std::tuple{"NG", "?", false}, {"ng", "", false},
             {"NG ", "", false}, {"ON", "", true}, {"on", "", false}, {"ON ", "", false}}) {
        radio.answers["CH.MCH.5.ISLEGAL"] = radio.answers["EDIT_FLAG"] = answer;
        EXPECT_EQ(radio.GetChIsLegal(5), mark) << answer;
        EXPECT_EQ(radio.IsEdited(), edited) << answer;
    }
}

TEST(R455Radio, ModelIdentityAndTheEngine)
{
    CR455Radio radio;
    radio.ResetData();
    ModelInfo& info = *radio.GetModelInfo();
    std::memcpy(info.comment, "abcDEFGHIJKLMNOPQRSxyz", 22);
    std::string name, comment;
    radio.GetModelName(name);
    radio.GetModelComment(comment);
    EXPECT_EQ(name + "|" + comment, "VX-R455NORD|DEFGHIJKLMNOPQRS"); // the 16 comment bytes after the first 3
    ModelInfo other;
    std::tie(other.modelCode, other.revision, other.commentLength) = std::make_tuple(0x2270, 0x0102, 5);
    std::memcpy(other.comment, "HELLO", 5);
    EXPECT_FALSE(radio.CheckModelInfo(&other, true));
    std::tie(other.modelCode, other.revision) = std::make_tuple(0x2271, 0x0101);
    EXPECT_FALSE(radio.CheckModelInfo(&other, true));
    other.modelCode = 0x2270;
    EXPECT_TRUE(radio.CheckModelInfo(&other, true));
    EXPECT_EQ(info.comment[0], 'a');
    EXPECT_FALSE(radio.CheckModelInfo(&other, false)); // not only checking: the comment is taken over
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.comment), 7), "HELLOFG");
    EXPECT_EQ(radio.SetOpeningText(""), "\xFF      ");
    EXPECT_EQ(radio.SetPriorityChannel("3"), "3");
    EXPECT_EQ(radio.GetScanPrio(), "ON");
    EXPECT_EQ(radio.SetPriorityChannel("Off"), "3");
    EXPECT_EQ(radio.GetScanPrio(), "OFF");
    CRadioEngine* engine = radio.CreateRig(); // the radio talks to a new engine that holds none of the old data
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Execute("CH.MCH.3.NAME=NEW"), "NEW    ");
    EXPECT_EQ(radio.GetChName(3) + radio.GetCloneComment(), "NEW");
}

// Names are spelled with the display's letters as ICAO writes them, before the cut to 7.
TEST(R455Radio, NamesTakeTheLettersOfTheDisplayBeforeTheCut)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\xC3\x86\xC3\x98\xC3\x85", "AEOA"},      {"\xC3\xA6\xC3\xB8\xC3\xA5", "AEOA"},      // ÆØÅ æøå
        {"\xC3\x84\xC3\x96\xC3\x9C", "AOU"},       {"\xC3\xA4\xC3\xB6\xC3\xBC", "AOU"},       // ÄÖÜ äöü
        {"\xC3\x89\xC3\x88\xC3\x87", "EEC"},       {"\xC3\xA9\xC3\xA8\xC3\xA7", "EEC"},       // ÉÈÇ éèç
        {"\xC3\x9F\xC3\x9E\xC3\xB0", "SSTHD"},     {"\xC5\x92\xC5\x81\xC5\xBE", "OELZ"},      // ßÞð ŒŁž
        {"\xC3\x85LESUND", "ALESUND"},        {"F\xC3\x86RDER", "FAERDER"},         // ÅLESUND FÆRDER
        {"\xC3\x98rsta", "ORSTA"},            {"M\xC3\xB8re og Romsdal", "MORE OG"},
        {"A\xCC\x8ALESUND", "ALESUND"},       {"B\xC3\x86\xC3\x86\xC3\x86\xC3\x86R", "BAEAEAE"}, // A and a combining ring
        // What has no spelling: one blank a character (☺, ×, 中), one a byte that is no UTF-8.
        {"A\xE2\x98\xBA" "B", "A B"},          {"1\xC3\x97" "2", "1 2"},
        {"\xE4\xB8\xAD" "ABCDEFG", " ABCDEF"}, {"A\xC3" "B\xFF", "A B"},
    };
    for (const auto& [typed, stored] : cases) {
        CR455Radio radio;
        radio.ResetData();
        radio.SetChName(3, typed);
        EXPECT_EQ(radio.GetChName(3), stored) << typed;
    }
}

