#include "engine/clone_image.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CloneImageBounds, OutOfImageReadsAsErasedAndWritesAreDropped)
{
    CCloneImage image(512);
    EXPECT_EQ(image.ReadByte(512), 0xFF);
    EXPECT_EQ(image.GetBit(512, 3), 1);
    image.WriteByte(512, 0);
    image.SetBit(600, 0, 0);
    EXPECT_EQ(image.ReadByte(511), 0);
    EXPECT_EQ(image.ReadBits(511, 0, 3), 0b011);
}

TEST(CloneImageBounds, FillTestsEachAddress)
{
    CCloneImage image(4);
    image.Fill(2, 0x55, 10);
    EXPECT_EQ(image.ReadByte(1), 0);
    EXPECT_EQ(image.ReadByte(2), 0x55);
    EXPECT_EQ(image.ReadByte(3), 0x55);
}

TEST(CloneImageBlocks, AllOrNothing)
{
    CCloneImage image(512);
    uint8_t source[17];
    for (int i = 0; i < 17; ++i) {
        source[i] = static_cast<uint8_t>(i + 1);
    }
    EXPECT_FALSE(image.WriteBlock(0x1F0, source, 17));
    EXPECT_EQ(image.ReadByte(0x1F0), 0);
    EXPECT_TRUE(image.WriteBlock(0x1F0, source, 16));
    EXPECT_EQ(image.ReadByte(0x1F0), 1);
    EXPECT_EQ(image.ReadByte(0x1FF), 16);

    uint8_t destination[4] = {9, 9, 9, 9};
    EXPECT_FALSE(image.ReadBlock(0x1FE, destination, 4));
    EXPECT_EQ(destination[0], 9);
    EXPECT_TRUE(image.ReadBlock(0x1FC, destination, 4));
    EXPECT_EQ(destination[3], 16);
    EXPECT_FALSE(image.ReadBlock(0, destination, 0));
    EXPECT_FALSE(image.ReadBlock(0xFFFFFFF0u, destination, 0x20));
}

TEST(CloneImageBits, ReadBitsWalksIntoTheNextAddress)
{
    CCloneImage image(512);
    image.WriteByte(0x20, 0b00000101);
    image.WriteByte(0x21, 0b10000000);
    // bits 2,1,0 of 0x20 then 7,6 of 0x21: 1 0 1 1 0
    EXPECT_EQ(image.ReadBits(0x20, 2, 5), 0b10110);
}

TEST(CloneImageBits, WriteBitsMostSignificantFirst)
{
    CCloneImage image(512);
    image.WriteBits(0x20, 1, 4, 0b1011);
    EXPECT_EQ(image.ReadByte(0x20), 0b00000010);
    EXPECT_EQ(image.ReadByte(0x21), 0b11000000);
    image.WriteBits(0x30, 7, 16, 0xBEEF);
    EXPECT_EQ(image.ReadByte(0x30), 0xBE);
    EXPECT_EQ(image.ReadByte(0x31), 0xEF);
    EXPECT_EQ(image.ReadBits(0x30, 7, 16), 0xBEEF);
}

TEST(CloneImageBits, SetBitsTouchesOnlyItsField)
{
    CCloneImage image(512);
    image.SetBits(4, 5, 1, 3);
    EXPECT_EQ(image.ReadByte(4), 0b00111000);
    image.Fill(8, 0xFF, 2);
    image.SetBits(8, 0, 0, 2);
    EXPECT_EQ(image.ReadByte(8), 0xFE);
    EXPECT_EQ(image.ReadByte(9), 0x7F);
}

TEST(CloneImageWhole, ResizeDiscardsAndCopyFromMatches)
{
    CCloneImage image(512);
    image.Fill(0, 0xAA, 512);
    image.Resize(512);
    for (uint32_t a = 0; a < 512; ++a) {
        ASSERT_EQ(image.ReadByte(a), 0);
    }
    image.WriteByte(7, 7);
    CCloneImage small(1);
    EXPECT_TRUE(small.Differs(image));
    small.CopyFrom(image);
    EXPECT_EQ(small.GetSize(), 512u);
    EXPECT_TRUE(small.Equals(image));
    small.WriteByte(511, 1);
    EXPECT_TRUE(small.Differs(image));
}

TEST(CloneImageDefault, KnownRowsOfTheDefaultImage)
{
    CCloneImage image(1);
    image.LoadDefault();
    ASSERT_EQ(image.GetSize(), 512u);
    const uint8_t row20[16] = {0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0x13, 0, 0, 0x13, 0, 0, 0};
    const uint8_t row30[16] = {0, 0x78, 0xE0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    const uint8_t row40[16] = {0, 0x19, 0x1E, 0x32};
    const uint8_t row50[16] = {0x11, 0x80, 0x00, 0x80};
    const uint8_t row60[16] = {0x11, 0x80, 0, 0, 0, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0, 0, 0, 0};
    const uint8_t blank[16] = {0xFF, 0, 0, 0, 0, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0, 0, 0, 0};
    uint8_t row[16];
    const struct {
        uint32_t address;
        const uint8_t* bytes;
    } rows[] = {{0x20, row20}, {0x30, row30}, {0x40, row40}, {0x50, row50}, {0x60, row60},
                {0x70, blank}, {0x190, blank}};
    for (const auto& r : rows) {
        ASSERT_TRUE(image.ReadBlock(r.address, row, 16));
        EXPECT_EQ(std::memcmp(row, r.bytes, 16), 0) << std::hex << r.address;
    }
    for (uint32_t a = 0; a < 0x10; ++a) {
        EXPECT_EQ(image.ReadByte(a), 0);
        EXPECT_EQ(image.ReadByte(0x10 + a), 0x20);
    }
    for (uint32_t a = 0x1A0; a < 0x1F8; ++a) {
        EXPECT_EQ(image.ReadByte(a), 0) << a;
    }
    ASSERT_TRUE(image.ReadBlock(0x1F8, row, 8));
    EXPECT_EQ(std::memcmp(row, "Vexa Inc", 8), 0);
}
