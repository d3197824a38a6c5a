#include "engine/byte_string.h"

#include <gtest/gtest.h>

#include <string>

static std::string Text(const CByteString& s)
{
    return std::string(reinterpret_cast<const char*>(s.GetData()), s.GetLength());
}

static CByteString Bytes(const std::string& bytes, uint16_t capacity = 255)
{
    CByteString s(capacity);
    for (char c : bytes)
        s << static_cast<uint8_t>(c);
    return s;
}

TEST(ByteString, FixedCapacityChainedAppendsAndIndexPastTheEnd)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(Text(Bytes(all)), all.substr(0, 255));
    CByteString small(3);
    small << "ABCDE";
    EXPECT_EQ(Text(small), "ABC");
    small = "XY"; // assigning text keeps the capacity, assigning a byte string takes the source's
    CByteString copy(small), assigned(1000);
    assigned = small;
    CByteString& same = assigned;
    assigned = same; // onto itself
    for (const CByteString* s : {&small, &copy, &assigned}) {
        EXPECT_EQ(Text(*s), "XY");
        EXPECT_EQ(s->GetCapacity(), 3);
    }
    CByteString none(0);
    none << 'x' << "yz";
    EXPECT_EQ(none.GetLength(), 0);
    EXPECT_EQ(none[0], 0);
    CByteString s;
    s << static_cast<uint8_t>('A') << "BC" << Bytes("!");
    s.Append(s); // appending a string to itself doubles it once
    EXPECT_EQ(Text(s), "ABC!ABC!");
    EXPECT_EQ(s[8], '!');
    EXPECT_TRUE(s.Differs(Bytes("ABC!ABC")) && s.Differs(Bytes("ABC!ABC?")));
    EXPECT_FALSE(s.Differs(Bytes("ABC!ABC!")) || CByteString().Differs(CByteString()));
    s = static_cast<uint8_t>('Z');
    EXPECT_EQ(Text(s), "Z");
    s.Clear();
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(ByteString, SubRangeAndHexTextStopAtTheLengthAndKeep255Bytes)
{
    const struct { uint16_t start, count; const char* expected; } ranges[] = {
        {3, 10, "DE"}, {0, 5, "ABCDE"}, {1, 2, "BC"}, {5, 1, ""}, {9, 3, ""}, {0, 0, ""}, {2, 65535, "CDE"}};
    for (const auto& c : ranges) {
        CByteString s = Bytes("ABCDE", 5);
        s.SubRange(c.start, c.count);
        EXPECT_EQ(Text(s), c.expected) << c.start << "," << c.count;
        EXPECT_EQ(s.GetCapacity(), 255);
    }
    CByteString cut = Bytes(std::string(400, 'x') + "y", 401);
    cut.SubRange(146, 300);
    EXPECT_EQ(Text(cut), std::string(254, 'x') + "y");
    CByteString s = Bytes(std::string("\x00\xAB\x7F", 3), 3);
    s.ToHex();
    EXPECT_EQ(Text(s), "00AB7F");
    s.ToHex(0x1F5u);
    EXPECT_EQ(Text(s), "F5");
    EXPECT_EQ(s.GetCapacity(), 255);
    CByteString longer = Bytes(std::string(200, '\x5A'));
    longer.ToHex();
    EXPECT_EQ(longer.GetLength(), 255);
    EXPECT_EQ(longer[254], '5');
    const std::pair<const char*, std::string> cases[] = {{"0A1", std::string("\x0A\x01", 2)}, {"ab", std::string(1, 0)},
        {"G1", "\x01"}, {"FF00", std::string("\xFF\x00", 2)}, {"", ""}, {"F", "\x0F"}, {"c3C3", "\x03\xC3"}};
    for (const auto& [text, expected] : cases) {
        s = text;
        s.FromHex();
        EXPECT_EQ(Text(s), expected) << text;
    }
}
