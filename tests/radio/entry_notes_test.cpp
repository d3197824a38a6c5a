#include "radio/entry_notes.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "radio/r455_radio.h"

namespace {

struct NoteCase {
    const char *frequency, *name, *spacing;
    std::vector<std::string> notes;
};
const char kBlanked[] = "\" is not a frequency; the channel is now blank. Undo with Ctrl+Z.";
const NoteCase kCases[] = {
    {" 121.500 ", "TOWER  ", "25kHz", {}},
    {"", "", "25kHz", {}},
    {"100.5", "TOWER", "25kHz", {"CH 03: 100.500 MHz is outside the air band; stored as 118.000"}},
    {"121.51", "TOWER", "25kHz", {"CH 03: 121.510 stored as 121.500, the nearest 25 kHz channel"}},
    {"118", "TOWER", "8.33kHz", {"CH 03: 118.000 stored as 118.005, the nearest 8.33 kHz channel"}},
    {"118.0083", "TOWER", "8.33kHz", {"CH 03: 118.0083 MHz is the carrier of channel 118.010; stored as 118.010"}},
    {"12l.5", "TOWER", "25kHz", {"CH 03: \"12l.5\" is not a frequency; stored as 118.000"}},
    {"abc", "TOWER", "25kHz", {std::string("CH 03: \"abc") + kBlanked}},
    {"150", "Tower-One", "25kHz",
     {"CH 03: 150.000 MHz is outside the air band; stored as 136.975",
      "CH 03: the name \"Tower-One\" is stored as \"TOWER-O\" (cut to 7 characters, upper case)"}},
    {"121.5", "A\"B", "25kHz",
     {"CH 03: the name \"A\"B\" is stored as \"A B\" (characters the transceiver cannot show replaced by blanks)"}},
    {"121.5", "F\xC3\xA6rder fyr", "25kHz",
     {"CH 03: the name \"F\xC3\xA6rder fyr\" is stored as \"FAERDER\" (letters spelled as ICAO writes "
      "them, cut to 7 characters, upper case)"}},
    {"121.5", "\xC3\x98\xE2\x98\xBA", "25kHz",
     {"CH 03: the name \"\xC3\x98\xE2\x98\xBA\" is stored as \"O\" (letters spelled as ICAO writes "
      "them, characters the transceiver cannot show replaced by blanks)"}},
};

} // namespace

TEST(EntryNotesTest, OpeningTextStoredOtherwiseThanTypedGetsANote)
{
    const std::string spelled = "letters spelled as ICAO writes them", cut = "cut to 7 characters";
    const struct {
        const char *typed, *stored;
        std::string why; // "": no note
    } cases[] = {
        {"WELCOME", "", ""}, {"Hi   ", "", ""}, {"", "", ""},
        {"\xC3\x98rsta", "Orsta", spelled},
        {"F\xC3\xA6r\xC3\xB8yan", "Faeroya", spelled + ", " + cut},
        {"ABCDEFGHIJ", "ABCDEFG", cut},
    };
    for (const auto& c : cases) {
        CR455Radio radio;
        radio.ResetData();
        radio.SetOpeningText(c.typed);
        const std::string note = "The opening text \"" + std::string(c.typed) + "\" is stored as \"" +
                                 c.stored + "\" (" + c.why + ")";
        EXPECT_EQ(OpeningTextNote(c.typed, radio.GetOpeningText()), c.why.empty() ? "" : note) << c.typed;
    }
}

TEST(EntryNotesTest, EachDifferenceBetweenTypedAndStoredGetsANote)
{
    for (const NoteCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.frequency << "\" \"" << c.name << '"');
        CR455Radio radio; // sent as the Edit Memory dialog sends it on OK
        radio.ResetData();
        radio.SetChSpacing(c.spacing);
        const double megahertz = std::strtod(c.frequency, nullptr);
        const std::string frequency = megahertz > 0 && megahertz < 2000 ? c.frequency : "";
        radio.SetChName(3, c.name);
        radio.Command(std::string("CH.MCH.3.ALL=FREQUENCY=") + frequency +
                      "\tAPPEAR=" + (frequency.empty() ? "OFF" : "ON"));
        radio.HealCh(3);
        EXPECT_EQ(ExplainChannelEntry(radio, {3, true, c.frequency, true, c.name}, true), c.notes);
    }
}
