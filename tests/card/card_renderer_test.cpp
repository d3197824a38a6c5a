// What the kneeboard card says (the PDF it is written as: card_renderer_posix_test.cpp; its paper
// and layout: tests/exchange/card_layout_test.cpp).
#include "card/card_renderer.h"

#include <map>

#include <gtest/gtest.h>

#include "res/string_table.h"
#include "tests/common/document_text.h"

// The priority channel only while priority scanning; the settings' words are the reader's,
// through the catalog, while channels and texts stay as stored.
TEST(CardRenderer, SettingsNameThePriorityChannelOnlyWhileScanningInTheReadersWords)
{
    SetResTranslator([](const char* english) {
        const std::string text = english;
        return text == "ON" || text == "DISABLE" ? "<" + text + ">" : text;
    });
    CNewRadio radio;
    radio.SetPriorityChannel("8"); // which also switches priority scanning on
    radio.SetOpeningText("ON");
    radio.SetScanFunction("ON");
    for (const char* scan : {"ON", "OFF"}) {
        radio.Command(std::string("COMMON.SCAN_PRIO=") + scan);
        const auto settings = BuildCardData(radio, "f.qrb", "").settings;
        EXPECT_EQ(settings.at(1).first == "Priority CH" && settings[1].second == "8", scan[1] == 'N');
        std::map<std::string, std::string> shown(settings.begin(), settings.end());
        EXPECT_EQ(shown["Scan Function"] + shown["Scan Mode"] + shown["VFO Mode Enable"] + "|" +
                      shown["Opening Text"], "<ON>NORMAL<DISABLE>|ON");
    }
    SetResTranslator(nullptr);
}
