// The kneeboard card's renderer on its own: the words and sizes of its paper and what it puts on
// the card (the PDF it writes: card_renderer_posix_test.cpp).
#include "card/card_renderer.h"

#include <map>

#include <gtest/gtest.h>

#include "res/string_table.h"
#include "tests/common/document_text.h"

TEST(CardRenderer, SizeWordsNameThePaperInPoints)
{
    const struct { const char* word; ECardSize size; double width, height; } cases[] = {
        {"a5", ECardSize::kA5, 419.53, 595.28}, {"A4", ECardSize::kA4, 595.28, 841.89},
        {"Letter", ECardSize::kLetter, 612, 792}};
    for (const auto& c : cases) {
        ECardSize size = static_cast<ECardSize>(-1);
        double width = 0, height = 0;
        ASSERT_TRUE(ParseCardSize(c.word, &size)) << c.word;
        GetCardPageSize(size, &width, &height);
        EXPECT_TRUE(size == c.size && width == c.width && height == c.height) << c.word;
    }
    ECardSize size = ECardSize::kA4;
    for (const char* word : {"b5", "", "a4 ", "letters"})
        EXPECT_FALSE(ParseCardSize(word, &size) || size != ECardSize::kA4) << word;
}

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
