#include "engine/clone_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

TEST(CloneImage, OutsideTheImageReadsAsErasedAndWritesAreDropped)
{
    CCloneImage image(512);
    image.WriteByte(512, 0);
    image.SetBit(600, 0, 0);
    EXPECT_EQ(image.ReadByte(512), 0xFF);
    EXPECT_EQ(image.GetBit(512, 3), 1);
    EXPECT_EQ(image.ReadBits(511, 0, 3), 0b011);
    image.Fill(510, 0x55, 10); // each address is tested on its own
    EXPECT_EQ(image.ReadByte(509), 0);
    EXPECT_EQ(image.ReadByte(511), 0x55);
    uint8_t bytes[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    EXPECT_FALSE(image.WriteBlock(0x1F0, bytes, 17)); // blocks are all or nothing
    EXPECT_EQ(image.ReadByte(0x1F0), 0);
    EXPECT_TRUE(image.WriteBlock(0x1F0, bytes, 16));
    EXPECT_EQ(image.ReadByte(0x1FF), 16);
    EXPECT_FALSE(image.ReadBlock(0x1FE, bytes, 4));
    EXPECT_EQ(bytes[0], 1);
    EXPECT_TRUE(image.ReadBlock(0x1FC, bytes, 4));
    EXPECT_EQ(bytes[0], 13);
    EXPECT_FALSE(image.ReadBlock(0, bytes, 0));
    EXPECT_FALSE(image.ReadBlock(0xFFFFFFF0u, bytes, 0x20)); // the end wraps around
}

TEST(CloneImage, BitFieldsRunDownIntoTheNextAddress)
{
    CCloneImage image(512);
    image.WriteByte(0x20, 0b00000101);
    image.WriteByte(0x21, 0b10000000);
    EXPECT_EQ(image.ReadBits(0x20, 2, 5), 0b10110);
    image.WriteBits(0x28, 1, 4, 0b1011);
    image.WriteBits(0x30, 7, 16, 0xBEEF);
    image.SetBits(4, 5, 1, 3);
    image.Fill(8, 0xFF, 2);
    image.SetBits(8, 0, 0, 2);
    const std::pair<uint32_t, uint8_t> bytes[] = {{0x28, 0b00000010}, {0x29, 0b11000000}, {0x30, 0xBE}, {0x31, 0xEF},
                                                  {4, 0b00111000}, {8, 0xFE}, {9, 0x7F}};
    for (const auto& [address, value] : bytes)
        EXPECT_EQ(image.ReadByte(address), value) << address;
}

TEST(CloneImage, ResizeDiscardsAndCopyFromMatches)
{
    CCloneImage image(512), small(1);
    image.Fill(0, 0xAA, 512);
    image.Resize(512);
    image.WriteByte(7, 7);
    EXPECT_EQ(image.ReadByte(6) + image.ReadByte(511), 0);
    EXPECT_TRUE(small.Differs(image));
    small.CopyFrom(image);
    EXPECT_EQ(small.GetSize(), 512u);
    EXPECT_TRUE(small.Equals(image));
    small.WriteByte(511, 1);
    EXPECT_TRUE(small.Differs(image));
}

TEST(CloneImage, DefaultImage)
{
    // Rows 0x00 to 0x6F, then the row that the 19 blank channels share, then 0x1A0 to 0x1FF.
    const char* const rows[] = {"00000000000000000000000000000000", "20202020202020202020202020202020",
        "08000000000000000013000013000000", "0078E00000000000FFFFFFFFFFFFFF00", "00191E32000000000000000000000000",
        "11800080000000000000000000000000", "11800000002020202020202000000000", "FF000000002020202020202000000000"};
    CCloneImage image;
    image.LoadDefault();
    ASSERT_EQ(image.GetSize(), 512u);
    auto row = [&](uint32_t address) {
        char text[33] = {};
        for (int i = 0; i < 16; ++i)
            std::snprintf(text + 2 * i, 3, "%02X", image.ReadByte(address + i));
        return std::string(text);
    };
    for (uint32_t address = 0; address < 0x1A0; address += 16)
        EXPECT_EQ(row(address), rows[std::min<uint32_t>(address / 16, 7)]) << std::hex << address;
    for (uint32_t address = 0x1A0; address < 0x1F0; address += 16)
        EXPECT_EQ(row(address), rows[0]) << std::hex << address;
    EXPECT_EQ(row(0x1F0), "0000000000000000" "56657861" "20496E63"); // "Vexa Inc"
}
