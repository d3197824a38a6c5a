#include "engine/byte_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const CByteString& s)
{
    return std::string(reinterpret_cast<const char*>(s.GetData()), s.GetLength());
}

CByteString Bytes(std::initializer_list<uint8_t> bytes)
{
    CByteString s;
    for (uint8_t b : bytes) {
        s << b;
    }
    return s;
}

} // namespace

TEST(ByteStringCapacity, AppendBeyondCapacityIsDropped)
{
    CByteString s;
    EXPECT_EQ(s.GetCapacity(), 255);
    for (int i = 0; i < 256; ++i) {
        s.Append(static_cast<uint8_t>(i));
    }
    EXPECT_EQ(s.GetLength(), 255);
    for (int i = 0; i < 255; ++i) {
        ASSERT_EQ(s[static_cast<uint16_t>(i)], i);
    }
}

TEST(ByteStringCapacity, SmallCapacityKeepsFirstBytes)
{
    CByteString s(3);
    s << "ABCDE";
    EXPECT_EQ(Text(s), "ABC");
    s = "XY";
    EXPECT_EQ(Text(s), "XY");
    EXPECT_EQ(s.GetCapacity(), 3);
}

TEST(ByteStringCapacity, AssignmentAndCopyTakeTheSourceCapacity)
{
    CByteString small(4);
    small << "abcd";
    CByteString big(1000);
    big = small;
    EXPECT_EQ(big.GetCapacity(), 4);
    EXPECT_EQ(Text(big), "abcd");
    CByteString copy(small);
    EXPECT_EQ(copy.GetCapacity(), 4);
    EXPECT_EQ(Text(copy), "abcd");
    copy = copy;
    EXPECT_EQ(Text(copy), "abcd");
}

TEST(ByteStringCapacity, ZeroCapacityHoldsNothing)
{
    CByteString s(0);
    s << 'x' << "yz";
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s[0], 0);
}

TEST(ByteStringAppend, OperatorsChainLeftToRight)
{
    CByteString tail;
    tail = "!";
    CByteString s;
    s << static_cast<uint8_t>('A') << "BC" << tail;
    EXPECT_EQ(Text(s), "ABC!");
    s = static_cast<uint8_t>('Z');
    EXPECT_EQ(Text(s), "Z");
    s.Clear();
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.GetCapacity(), 255);
}

TEST(ByteStringAppend, AppendToItselfDoublesOnce)
{
    CByteString s;
    s << "ab";
    s.Append(s);
    EXPECT_EQ(Text(s), "abab");
}

TEST(ByteStringAccess, IndexBeyondLengthYieldsLastByte)
{
    CByteString s;
    s << "0123456789";
    EXPECT_EQ(s[300], '9');
    EXPECT_EQ(s[10], '9');
    EXPECT_EQ(s[0], '0');
}

TEST(ByteStringCompare, Differs)
{
    EXPECT_FALSE(CByteString().Differs(CByteString()));
    EXPECT_TRUE(Bytes({1}).Differs(Bytes({1, 2})));
    EXPECT_TRUE(Bytes({1, 2}).Differs(Bytes({1, 3})));
    EXPECT_FALSE(Bytes({1, 2}).Differs(Bytes({1, 2})));
}

TEST(ByteStringSubRange, Table)
{
    struct Case {
        uint16_t start, count;
        const char* expected;
    };
    const Case cases[] = {
        {3, 10, "DE"}, {0, 5, "ABCDE"}, {1, 2, "BC"}, {5, 1, ""}, {9, 3, ""},
        {0, 0, ""},    {2, 65535, "CDE"},
    };
    for (const Case& c : cases) {
        CByteString s(5);
        s << "ABCDE";
        s.SubRange(c.start, c.count);
        EXPECT_EQ(Text(s), c.expected) << c.start << "," << c.count;
        EXPECT_EQ(s.GetCapacity(), 255);
    }
}

TEST(ByteStringSubRange, LongSourceKeeps255Bytes)
{
    CByteString s(400);
    for (int i = 0; i < 400; ++i) {
        s << static_cast<uint8_t>(i);
    }
    s.SubRange(10, 300);
    EXPECT_EQ(s.GetLength(), 255);
    EXPECT_EQ(s[0], 10);
}

TEST(ByteStringHex, ToHexUsesUppercaseHighNibbleFirst)
{
    CByteString s = Bytes({0x00, 0xAB, 0x7F});
    s.ToHex();
    EXPECT_EQ(Text(s), "00AB7F");
    s.ToHex(0x1F5u);
    EXPECT_EQ(Text(s), "F5");
    EXPECT_EQ(s.GetCapacity(), 255);
}

TEST(ByteStringHex, ToHexOfLongSourceKeeps255Characters)
{
    CByteString s;
    for (int i = 0; i < 200; ++i) {
        s << static_cast<uint8_t>(0x5A);
    }
    s.ToHex();
    EXPECT_EQ(s.GetLength(), 255);
    EXPECT_EQ(s[254], '5');
}

TEST(ByteStringHex, FromHexTable)
{
    struct Case {
        const char* text;
        std::string expected;
    };
    const Case cases[] = {
        {"0A1", std::string("\x0A\x01", 2)},
        {"ab", std::string("\x00", 1)},
        {"G1", std::string("\x01", 1)},
        {"FF00", std::string("\xFF\x00", 2)},
        {"", std::string()},
        {"F", std::string("\x0F", 1)},
    };
    for (const Case& c : cases) {
        CByteString s;
        s = c.text;
        s.FromHex();
        EXPECT_EQ(Text(s), c.expected) << c.text;
    }
}

TEST(ByteStringHex, RoundTripOfEveryByte)
{
    CByteString s;
    for (int i = 0; i < 127; ++i) {
        s << static_cast<uint8_t>(i * 2 + 1);
    }
    CByteString original(s);
    s.ToHex();
    s.FromHex();
    EXPECT_FALSE(s.Differs(original));
}
