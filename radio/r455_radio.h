#pragma once

#include <cstdint>
#include <string>

#include "radio/radio_data_rig.h"

class CRadioEngine;

// The radio data object of the VX-R455NORD: its identity and typed operations on its 20 memory
// channels, its clone comment and the settings the settings pages show. Each typed operation
// sends exactly one command (SetPriorityChannel two) and returns the engine's answer, lightly
// trimmed where stated: a change through Command, a query through Query, which changes nothing.
class CR455Radio : public CRadioDataRig {
public:
    // !!! The model code and revision identify data files and the transceiver. !!!
    static constexpr uint16_t kModelCode = 0x2270;
    static constexpr uint16_t kRevision = 0x0101;
    static constexpr uint16_t kModelCommentLength = 16;
    static constexpr unsigned kChannelCount = 20;
    static const char kModelName[];

    // The 18 setting keys after "COMMON.", in the order of the engine's setting table.
    static constexpr unsigned kSettingCount = 18;
    static const char* const kSettingKeys[kSettingCount];

    CR455Radio();
    ~CR455Radio() override;

    void GetModelName(std::string& name) const override;
    void GetModelComment(std::string& comment) const override;
    bool CheckModelInfo(const ModelInfo* info, bool checkOnly) override;
    void InitModelInfo() override;

    // Replaces the radio's engine by a new one (the old engine and its data are released) and
    // returns it; the radio keeps ownership.
    CRadioEngine* CreateRig();

    // "CH.MCH.<ch>." for channels 1 to 20, the empty text otherwise.
    static std::string ChPrefix(unsigned ch);

    std::string Heal();
    std::string HealCh(unsigned ch);

    // "?" when the channel's ISLEGAL answers exactly "NG", otherwise the empty text.
    std::string GetChIsLegal(unsigned ch) const;
    std::string GetChAppear(unsigned ch) const;
    std::string GetChFrequency(unsigned ch) const;
    std::string GetChName(unsigned ch) const; // trailing white space removed
    std::string GetChTxInhibit(unsigned ch) const;
    std::string GetChLockout(unsigned ch) const;

    std::string SetChAppear(unsigned ch, const std::string& value);
    // Trims the caller's `value` of white space on both sides, in place, before sending it.
    std::string SetChFrequency(unsigned ch, std::string& value);
    // The name is spelled with the display's letters (SpelledForDisplay: "Ørsta" is sent as
    // "Orsta"), trailing white space is removed, and an empty name is sent as one blank.
    std::string SetChName(unsigned ch, const std::string& value);
    std::string SetChTxInhibit(unsigned ch, const std::string& value);
    std::string SetChLockout(unsigned ch, const std::string& value);

    // The clone comment without trailing white space; a change removes trailing white space
    // and sends one blank for an empty comment (an empty value would be a query).
    std::string GetCloneComment() const;
    std::string SetCloneComment(const std::string& value);

    // Sets COMMON.SCAN_PRIO to "OFF" when the decimal value of `value` is 0 ("Off" included)
    // and to "ON" otherwise, then COMMON.PRIOCH to `value` unchanged. Returns the PRIOCH answer.
    std::string SetPriorityChannel(const std::string& value);

    // Common page settings.
    std::string GetBeep() const;
    std::string SetBeep(const std::string& value);
    std::string GetBeepUdKey() const;
    std::string SetBeepUdKey(const std::string& value);
    std::string GetSideTone() const;
    std::string SetSideTone(const std::string& value);
    std::string GetIndicateMode() const;
    std::string SetIndicateMode(const std::string& value);
    std::string GetLcdBacklight() const;
    std::string SetLcdBacklight(const std::string& value);
    std::string GetLcdDimmer() const;
    std::string SetLcdDimmer(const std::string& value);
    std::string GetScanFunction() const;
    std::string SetScanFunction(const std::string& value);
    std::string GetScanHanger() const;
    std::string SetScanHanger(const std::string& value);
    std::string GetScanMode() const;
    std::string SetScanMode(const std::string& value);
    std::string GetScanPrio() const;
    std::string SetScanPrio(const std::string& value);
    std::string GetPrioCh() const;
    std::string SetPrioCh(const std::string& value);
    // The opening text: an answer starting with the byte 0xFF (an unset text) reads as empty,
    // any other loses its trailing blanks. A change spells the text with the display's letters
    // as a name is spelled, removes trailing white space and sends the single byte 0xFF for an
    // empty text.
    std::string GetOpeningText() const;
    std::string SetOpeningText(const std::string& value);

    // Advanced page settings.
    std::string GetAdjEnable() const;
    std::string SetAdjEnable(const std::string& value);
    std::string GetVfoModeEnable() const;
    std::string SetVfoModeEnable(const std::string& value);
    std::string GetVfoTxInhibit() const;
    std::string SetVfoTxInhibit(const std::string& value);
    std::string GetMrWriteEnable() const;
    std::string SetMrWriteEnable(const std::string& value);
    std::string GetChSpacing() const;
    std::string SetChSpacing(const std::string& value);

    // Any setting by its key after "COMMON." (one of kSettingKeys): query and change.
    std::string GetSetting(const std::string& key) const;
    std::string SetSetting(const std::string& key, const std::string& value);

private:
    std::string ChQuery(unsigned ch, const char* field) const;
    std::string ChChange(unsigned ch, const char* field, const std::string& value);
};
