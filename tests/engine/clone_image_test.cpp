#include "engine/clone_image.h"

#include <gtest/gtest.h>

#include "tests/engine/command_steps.h"

TEST(CloneImage, BoundsBitFieldsAndTheDefaultImage)
{
    CCloneImage image(512);
    image.WriteByte(512, 0);
    image.SetBit(600, 0, 0);
    EXPECT_EQ(image.ReadByte(512), 0xFF); // outside the image reads as erased
    EXPECT_EQ(image.GetBit(512, 3), 1);
    EXPECT_EQ(image.ReadBits(511, 0, 3), 0b011);
    image.Fill(510, 0x55, 10); // each address is tested on its own
    EXPECT_EQ(Hex(image, 509, 3), "005555");
    uint8_t bytes[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    EXPECT_FALSE(image.WriteBlock(0x1F0, bytes, 17)); // blocks are all or nothing
    EXPECT_EQ(image.ReadByte(0x1F0), 0);
    EXPECT_TRUE(image.WriteBlock(0x1F0, bytes, 16));
    EXPECT_FALSE(image.ReadBlock(0x1FE, bytes, 4));
    EXPECT_EQ(bytes[0], 1);
    EXPECT_TRUE(image.ReadBlock(0x1FC, bytes, 4));
    EXPECT_EQ(bytes[3], 16);
    EXPECT_FALSE(image.ReadBlock(0, bytes, 0));
    EXPECT_FALSE(image.ReadBlock(0xFFFFFFF0u, bytes, 0x20)); // the end wraps around
    image.WriteByte(0x20, 0b00000101);
    image.WriteByte(0x21, 0b10000000);
    EXPECT_EQ(image.ReadBits(0x20, 2, 5), 0b10110); // bits 2 to 0, then 7 and 6 of the next address
    image.WriteBits(0x28, 1, 4, 0b1011);
    image.WriteBits(0x2A, 7, 16, 0xBEEF);
    image.SetBits(0x2C, 5, 1, 3);
    image.Fill(0x2E, 0xFF, 2);
    image.SetBits(0x2E, 0, 0, 2);
    EXPECT_EQ(Hex(image, 0x28, 8), "02C0BEEF3800FE7F");
    // Rows 0x00 to 0x6F, then the row that the 19 blank channels share, then 0x1A0 to 0x1FF.
    const char* const rows[] = {"00000000000000000000000000000000", "20202020202020202020202020202020",
        "08000000000000000013000013000000", "0078E00000000000FFFFFFFFFFFFFF00", "00191E32000000000000000000000000",
        "11800080000000000000000000000000", "11800000002020202020202000000000", "FF000000002020202020202000000000"};
    CCloneImage defaults;
    defaults.LoadDefault();
    ASSERT_EQ(defaults.GetSize(), 512u);
    for (uint32_t address = 0; address < 0x1A0; address += 16)
        EXPECT_EQ(Hex(defaults, address, 16), rows[address < 0x70 ? address / 16 : 7]) << std::hex << address;
    EXPECT_EQ(Hex(defaults, 0x1A0, 0x58), std::string(0xB0, '0'));
    EXPECT_EQ(Hex(defaults, 0x1F8, 8), "5665786120496E63"); // "Vexa Inc"
}
