#include "radio/r455_radio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/radio_engine.h"
#include "recording_radio.h"

using Sent = std::vector<std::string>;

TEST(R455RadioTest, ChannelPrefixOnlyForChannelsOneToTwenty)
{
    EXPECT_EQ(CR455Radio::ChPrefix(0), "");
    EXPECT_EQ(CR455Radio::ChPrefix(1), "CH.MCH.1.");
    EXPECT_EQ(CR455Radio::ChPrefix(9), "CH.MCH.9.");
    EXPECT_EQ(CR455Radio::ChPrefix(20), "CH.MCH.20.");
    EXPECT_EQ(CR455Radio::ChPrefix(21), "");
    EXPECT_EQ(CR455Radio::ChPrefix(static_cast<unsigned>(-1)), "");
}

TEST(R455RadioTest, OutOfRangeChannelsSendBareCommands)
{
    CRecordingRadio radio;
    radio.HealCh(0);
    radio.GetChFrequency(25);
    radio.SetChName(21, "X");
    radio.GetChIsLegal(3);
    EXPECT_EQ(radio.sent, (Sent{"HEAL", "FREQUENCY", "NAME=X", "CH.MCH.3.ISLEGAL"}));
}

TEST(R455RadioTest, ChannelOperationsSendOneCommandEach)
{
    CRecordingRadio radio;
    radio.Heal();
    radio.HealCh(7);
    radio.GetChAppear(7);
    radio.GetChName(7);
    radio.GetChTxInhibit(7);
    radio.GetChLockout(7);
    radio.SetChAppear(7, "ON");
    radio.SetChTxInhibit(7, "ON");
    radio.SetChLockout(7, "OFF");
    EXPECT_EQ(radio.sent, (Sent{"HEAL", "CH.MCH.7.HEAL", "CH.MCH.7.APPEAR", "CH.MCH.7.NAME",
                                "CH.MCH.7.TXINHIBIT", "CH.MCH.7.CHLOCKOUT",
                                "CH.MCH.7.APPEAR=ON", "CH.MCH.7.TXINHIBIT=ON",
                                "CH.MCH.7.CHLOCKOUT=OFF"}));
}

TEST(R455RadioTest, ChangesTrimTheirValues)
{
    CRecordingRadio radio;
    radio.SetChName(3, "   ");
    radio.SetChName(3, " AB \t\r\n");
    radio.SetCloneComment("");
    radio.SetCloneComment("My radio  \t");
    radio.SetOpeningText(" \t ");
    radio.SetOpeningText("HELLO  ");
    EXPECT_EQ(radio.sent, (Sent{"CH.MCH.3.NAME= ", "CH.MCH.3.NAME= AB", "COMMON.CLONE_COMMENT= ",
                                "COMMON.CLONE_COMMENT=My radio", "COMMON.OPENING_TEXT=\xFF",
                                "COMMON.OPENING_TEXT=HELLO"}));
}

TEST(R455RadioTest, SetChFrequencyTrimsTheCallersString)
{
    CRecordingRadio radio;
    std::string value = " \t121.5  ";
    radio.SetChFrequency(4, value);
    EXPECT_EQ(value, "121.5");
    EXPECT_EQ(radio.sent, Sent{"CH.MCH.4.FREQUENCY=121.5"});
}

TEST(R455RadioTest, QueriesTrimTheirAnswers)
{
    CRecordingRadio radio;
    radio.answers = {{"CH.MCH.2.NAME", " TWR   "},
                     {"COMMON.CLONE_COMMENT", "Field day       "},
                     {"COMMON.OPENING_TEXT", "HI \t   "}};
    EXPECT_EQ(radio.GetChName(2), " TWR");
    EXPECT_EQ(radio.GetCloneComment(), "Field day");
    EXPECT_EQ(radio.GetOpeningText(), "HI");
    radio.answers["COMMON.OPENING_TEXT"] = "\xFFHELLO ";
    EXPECT_EQ(radio.GetOpeningText(), "");
    radio.answers["CH.MCH.2.FREQUENCY"] = " 121.500 ";
    EXPECT_EQ(radio.GetChFrequency(2), " 121.500 ");
}

TEST(R455RadioTest, IsLegalMarksOnlyAnExactNg)
{
    const std::pair<const char*, const char*> cases[] = {
        {"NG", "?"}, {"OK", ""}, {"", ""}, {"ng", ""}, {"NG ", ""}, {"WARNING", ""}};
    for (const auto& [answer, shown] : cases) {
        CRecordingRadio radio;
        radio.answers["CH.MCH.5.ISLEGAL"] = answer;
        EXPECT_EQ(radio.GetChIsLegal(5), shown) << "answer " << answer;
    }
}

TEST(R455RadioTest, IsEditedOnlyForExactOn)
{
    const std::pair<const char*, bool> cases[] = {
        {"ON", true}, {"OFF", false}, {"on", false}, {"ON ", false}, {"", false}};
    for (const auto& [answer, edited] : cases) {
        CRecordingRadio radio;
        radio.answers["EDIT_FLAG"] = answer;
        EXPECT_EQ(radio.IsEdited(), edited) << "answer " << answer;
    }
    CRecordingRadio radio;
    radio.SetEdited(true);
    radio.SetEdited(false);
    EXPECT_EQ(radio.sent, (Sent{"EDIT_FLAG=ON", "EDIT_FLAG=OFF"}));
}

TEST(R455RadioTest, SetPriorityChannelSwitchesScanningByDecimalValue)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5", "ON"}, {"20", "ON"}, {"Off", "OFF"}, {"OFF", "OFF"}, {"0", "OFF"}, {" 7", "ON"},
        {"", "OFF"}};
    for (const auto& [value, scan] : cases) {
        CRecordingRadio radio;
        radio.SetPriorityChannel(value);
        EXPECT_EQ(radio.sent, (Sent{std::string("COMMON.SCAN_PRIO=") + scan,
                                    std::string("COMMON.PRIOCH=") + value}))
            << "value " << value;
    }
}

TEST(R455RadioTest, TypedSettingsUseTheirKeys)
{
    using Getter = std::string (CR455Radio::*)();
    using Setter = std::string (CR455Radio::*)(const std::string&);
    struct Case {
        Getter get;
        Setter set;
        const char* key;
    };
    const Case cases[] = {
        {&CR455Radio::GetBeep, &CR455Radio::SetBeep, "BEEP"},
        {&CR455Radio::GetBeepUdKey, &CR455Radio::SetBeepUdKey, "BEEP_UDKEY"},
        {&CR455Radio::GetSideTone, &CR455Radio::SetSideTone, "SIDETONE"},
        {&CR455Radio::GetIndicateMode, &CR455Radio::SetIndicateMode, "INDICATEMODE"},
        {&CR455Radio::GetLcdBacklight, &CR455Radio::SetLcdBacklight, "LCD_BACKLIGHT"},
        {&CR455Radio::GetLcdDimmer, &CR455Radio::SetLcdDimmer, "LCD_DIMMER"},
        {&CR455Radio::GetScanFunction, &CR455Radio::SetScanFunction, "SCAN_FUNCTION"},
        {&CR455Radio::GetScanHanger, &CR455Radio::SetScanHanger, "SCAN_HANGER"},
        {&CR455Radio::GetScanMode, &CR455Radio::SetScanMode, "SCAN_MODE"},
        {&CR455Radio::GetScanPrio, &CR455Radio::SetScanPrio, "SCAN_PRIO"},
        {&CR455Radio::GetPrioCh, &CR455Radio::SetPrioCh, "PRIOCH"},
        {&CR455Radio::GetAdjEnable, &CR455Radio::SetAdjEnable, "ADJ_ENABLE"},
        {&CR455Radio::GetVfoModeEnable, &CR455Radio::SetVfoModeEnable, "VFOMODE_ENABLE"},
        {&CR455Radio::GetVfoTxInhibit, &CR455Radio::SetVfoTxInhibit, "VFOTX_INHIBIT"},
        {&CR455Radio::GetMrWriteEnable, &CR455Radio::SetMrWriteEnable, "MRWRITE_ENABLE"},
        {&CR455Radio::GetChSpacing, &CR455Radio::SetChSpacing, "CH_SPACING"},
    };
    for (const Case& c : cases) {
        CRecordingRadio radio;
        radio.answers[std::string("COMMON.") + c.key] = "answer";
        EXPECT_EQ((radio.*c.get)(), "answer");
        (radio.*c.set)("V");
        EXPECT_EQ(radio.sent, (Sent{std::string("COMMON.") + c.key,
                                    std::string("COMMON.") + c.key + "=V"}));
    }
}

TEST(R455RadioTest, SettingKeysAreTheEngineKeys)
{
    CR455Radio radio;
    for (const char* key : CR455Radio::kSettingKeys)
        EXPECT_NE(radio.GetSetting(key), "") << key;
}

TEST(R455RadioTest, ModelIdentity)
{
    CR455Radio radio;
    radio.ResetData();
    const ModelInfo* info = radio.GetModelInfo();
    EXPECT_EQ(info->modelCode, 0x2270);
    EXPECT_EQ(info->revision, 0x0101);
    EXPECT_EQ(info->commentLength, 16);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info->comment), 17),
              std::string(16, ' ') + '\0');
    std::string name;
    radio.GetModelName(name);
    EXPECT_EQ(name, "VX-R455NORD");

    // The model comment is the 16 bytes after the first three.
    std::memcpy(radio.GetModelInfo()->comment, "abcDEFGHIJKLMNOPQRSxyz", 22);
    std::string comment;
    radio.GetModelComment(comment);
    EXPECT_EQ(comment, "DEFGHIJKLMNOPQRS");
}

TEST(R455RadioTest, CheckModelInfo)
{
    CR455Radio radio;
    radio.ResetData();
    ModelInfo other;
    other.modelCode = 0x2270;
    other.revision = 0x0102;
    EXPECT_FALSE(radio.CheckModelInfo(&other, true));
    other.revision = 0x0101;
    other.modelCode = 0x2271;
    EXPECT_FALSE(radio.CheckModelInfo(&other, true));
    other.modelCode = 0x2270;
    other.commentLength = 5;
    std::memcpy(other.comment, "HELLO", 5);
    EXPECT_TRUE(radio.CheckModelInfo(&other, true));
    EXPECT_EQ(radio.GetModelInfo()->comment[0], ' ');
    // Not only checking: the comment is taken over and the answer is false.
    EXPECT_FALSE(radio.CheckModelInfo(&other, false));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(radio.GetModelInfo()->comment), 7),
              "HELLO  ");
}

TEST(R455RadioTest, CreateRigReplacesTheEngine)
{
    CR455Radio radio;
    radio.ResetData();
    radio.SetChName(3, "OLD");
    CRadioEngine* engine = radio.CreateRig();
    ASSERT_NE(engine, nullptr);
    // The radio now talks to the new engine, which holds none of the old data.
    EXPECT_EQ(radio.GetChName(3), "");
    EXPECT_EQ(engine->Execute("CH.MCH.3.NAME=NEW"), "NEW    ");
    EXPECT_EQ(radio.GetChName(3), "NEW");
}

TEST(R455RadioTest, ChannelOperationsWithTheEngine)
{
    CR455Radio radio;
    radio.ResetData();
    std::string frequency = " 121.5 ";
    EXPECT_EQ(radio.SetChFrequency(3, frequency), "121.500");
    EXPECT_EQ(radio.SetChAppear(3, "ON"), "ON");
    EXPECT_EQ(radio.SetChName(3, "tower"), "TOWER  ");
    EXPECT_EQ(radio.GetChName(3), "TOWER");
    EXPECT_EQ(radio.GetChIsLegal(3), "");
    EXPECT_EQ(radio.HealCh(3), "OK");
    EXPECT_EQ(radio.GetChIsLegal(4), "?");
    EXPECT_EQ(radio.SetCloneComment(""), std::string(16, ' '));
    EXPECT_EQ(radio.GetCloneComment(), "");
    EXPECT_EQ(radio.SetOpeningText(""), "\xFF      ");
    EXPECT_EQ(radio.GetOpeningText(), "");

    EXPECT_EQ(radio.SetPriorityChannel("3"), "3");
    EXPECT_EQ(radio.GetScanPrio(), "ON");
    EXPECT_EQ(radio.SetPriorityChannel("Off"), "3");
    EXPECT_EQ(radio.GetScanPrio(), "OFF");
    EXPECT_EQ(radio.GetPrioCh(), "3");
}
