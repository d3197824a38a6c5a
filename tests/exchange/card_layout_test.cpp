// The kneeboard card's paper and layout, measured with a font of the test's own: every byte as
// wide as half the size.
#include "exchange/card_layout.h"

#include <gtest/gtest.h>

#include "tests/common/document_text.h"

TEST(CardLayout, SizeWordsNameThePaperInPoints)
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
    // A4 is a little wider than the A5 card grown to its height: centred across.
    const CCardPlacement a4 = PlaceCard(595.28, 841.89);
    EXPECT_NEAR(a4.scale, 841.89 / 595.28, 1e-9);
    EXPECT_TRUE(a4.x > 0 && a4.x < 1 && a4.y == 0) << a4.x << " " << a4.y;
}

// A text shrinks to three quarters of its size to fit its room, then loses whole characters
// before "..."; the date ends at the right margin, the file name before it.
TEST(CardLayout, TextsShrinkThenEndInDotsWithinTheirRoom)
{
    CNewRadio radio;
    PutChannel(radio, 1, "121.500", "TOWER");
    PutChannel(radio, 2, "118.000", "WWWWWWW");
    const auto half = [](ECardFace, double size, const std::string& text) {
        return size / 2 * static_cast<double>(text.size());
    };
    const struct { std::string name, shown; double size; } cases[] = {
        {"a.qrb", "a.qrb", 16}, {std::string(42, 'x'), std::string(42, 'x'), 14.4},
        {std::string(60, 'x'), std::string(48, 'x') + "...", 12},
        {std::string(47, 'x') + "\xc3\xb8" "abc", std::string(47, 'x') + "...", 12}};
    for (const auto& c : cases) {
        const CCardLayout layout = LayOutCard(BuildCardData(radio, c.name, "2024-05-06"), half);
        const CCardText& date = layout.texts.at(0);
        const CCardText& name = layout.texts.at(1);
        EXPECT_EQ(date.text, "2024-05-06");
        EXPECT_DOUBLE_EQ(date.x + half(date.face, date.size, date.text), layout.width - 22);
        EXPECT_EQ(name.text, c.shown);
        EXPECT_NEAR(name.size, c.size, 1e-9) << c.name;
        EXPECT_LE(name.x + half(name.face, name.size, name.text), date.x - 12) << c.name;
    }
    // Every text of a channel row within its column; the second row shaded beneath.
    const CCardLayout layout = LayOutCard(BuildCardData(radio, "a.qrb", ""), half);
    size_t seen = 0;
    for (const CCardText& t : layout.texts)
        seen += t.text == "121.500" || t.text == "TOWER" || t.text == "WWWWWWW";
    EXPECT_EQ(seen, 3u);
    ASSERT_GE(layout.boxes.size(), 2u);
    EXPECT_EQ(layout.boxes[1].grey, 0.9);
}
