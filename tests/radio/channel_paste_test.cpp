#include "radio/channel_csv.h"

#include <gtest/gtest.h>

#include "radio/r455_radio.h"

TEST(ChannelPasteTest, RowsGoToTheSelectedChannelAndThoseAfterItOrNowhere)
{
    const std::tuple<unsigned, const char*, const char*> kPastes[] = { // first, text, error
        {5, "2\t121.500\tTOWER\tON\tOFF\n9\t118.1\tatis\tOFF\tON\n", ""},
        {5, "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n,121.5,TOWER,ON,OFF\r\n,118.100,ATIS,,ON\r\n", ""},
        {19, "1\t121.5\tA\t\t\n1\t121.5\tB\t\t\n1\t121.5\tC\t\t\n", "Line 3: no channel is left for this row; CH 20 is the last."},
        {5, "1\t121.5\tA\t\t\n1\tl21.5\tB\t\t\n", "Line 2, field Frequency: \"l21.5\" is not a frequency in MHz."},
        {1, "1\t\t\t\t\n", "Line 1, field Frequency: channel 1 cannot be blank; give it a frequency."},
    };
    for (const auto& [first, text, expected] : kPastes) {
        SCOPED_TRACE(text);
        CR455Radio radio;
        radio.ResetData();
        const auto before = radio.GetDataSet();
        std::string error;
        EXPECT_EQ(PasteChannelRows(radio, first, text, nullptr, &error), !*expected);
        EXPECT_EQ(error, expected);
        if (*expected)
            EXPECT_EQ(radio.GetDataSet(), before);
        else
            EXPECT_EQ(ChannelRowTsv(radio, 5) + ChannelRowTsv(radio, 6) + ChannelRowTsv(radio, 7),
                      "5\t121.500\tTOWER\tON\tOFF\n6\t118.100\tATIS\tOFF\tON\n7\t\t\t\t\n");
    }
}
