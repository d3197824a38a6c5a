#include "radio/radio_settings.h"

#include <gtest/gtest.h>

#include "exchange/channel_csv.h"
#include "radio/r455_radio.h"

namespace {

// Every setting away from the defaults, as a person sets them on both pages.
CRadioSettings Changed()
{
    CRadioSettings s;
    s.beep = true;
    s.sideTone = true;
    s.indicateMode = EIndicateMode::kText;
    s.backlight = EBacklight::kHigh;
    s.scanHanger = true;
    s.scanMode = EScanMode::kPriority;
    s.priorityChannel = 3;
    s.openingText = "ENVA";
    s.vfoModeEnable = true;
    s.vfoTxEnable = true;
    s.spacing = EChannelSpacing::k25kHz;
    s.cloneComment = "CLUB RADIO";
    return s;
}

TEST(RadioSettings, WhatTheSheetWritesItLoadsAgain)
{
    CR455Radio radio;
    radio.ResetData();
    PasteChannelRows(radio, 1, "1\t127.0\tONE\tOFF\tOFF\n\t\t\t\t\n3\t119.0\tTHREE\tOFF\tOFF\n",
                     nullptr, nullptr);
    const CRadioSettings wanted = Changed();
    EXPECT_EQ(wanted.ApplyCommon(radio), "");
    wanted.ApplyAdvanced(radio);
    const CRadioSettings loaded = CRadioSettings::Load(radio);
    EXPECT_TRUE(loaded.beep && loaded.sideTone && loaded.scanHanger && loaded.vfoModeEnable &&
                loaded.vfoTxEnable);
    EXPECT_FALSE(loaded.beepUpDownKey || loaded.scanFunction || loaded.adjustModeEnable ||
                 loaded.memoryWriteEnable);
    EXPECT_EQ(loaded.indicateMode, EIndicateMode::kText);
    EXPECT_EQ(loaded.backlight, EBacklight::kHigh);
    EXPECT_EQ(loaded.scanMode, EScanMode::kPriority);
    EXPECT_EQ(loaded.priorityChannel, 3u);
    EXPECT_EQ(loaded.spacing, EChannelSpacing::k25kHz);
    EXPECT_EQ(loaded.openingText, "ENVA");
    EXPECT_EQ(loaded.cloneComment, "CLUB RADIO");
    EXPECT_EQ(radio.GetVfoTxInhibit(), "DISABLE");
}

TEST(RadioSettings, ThePriorityListOffersChannelOneAndTheChannelsInUse)
{
    CR455Radio radio;
    radio.ResetData();
    PasteChannelRows(radio, 4, "4\t121.5\tFOUR\tOFF\tOFF\n", nullptr, nullptr);
    EXPECT_EQ(PriorityChannelChoices(radio), (std::vector<unsigned>{1, 4}));
    // A priority channel that is no longer offered opens as "Off".
    CRadioSettings s = CRadioSettings::Load(radio);
    s.priorityChannel = 4;
    s.ApplyCommon(radio);
    PasteChannelRows(radio, 4, "4\t\t\t\t\n", nullptr, nullptr);
    EXPECT_EQ(CRadioSettings::Load(radio).priorityChannel, 0u);
}

TEST(RadioSettings, AnOpeningTextStoredOtherwiseIsNoted)
{
    CR455Radio radio;
    radio.ResetData();
    CRadioSettings s = CRadioSettings::Load(radio);
    s.openingText = "ørsta";
    EXPECT_NE(s.ApplyCommon(radio), "");
}

} // namespace
