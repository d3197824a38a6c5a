#include "radio/radio_settings.h"

#include <algorithm>

#include "engine/engine_words.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"

namespace {

using EngineWord::kOff;
using EngineWord::kOn;

const char kEnable[] = "ENABLE";
const char kDisable[] = "DISABLE";
// The engine's priority channel while priority scanning is off.
const char kEnginePriorityOff[] = "Off";

// Channel spacing words of COMMON.CH_SPACING.
const char kSpacing833[] = "8.33kHz";
const char kSpacing25[] = "25kHz";
const char kSpacingBoth[] = "25k/8.33kHz";

const char* OnOff(bool on)
{
    return on ? kOn : kOff;
}

const char* EnableWord(bool enable)
{
    return enable ? kEnable : kDisable;
}

// The stored priority channel while priority scanning is on and the channel is one the list
// offers; otherwise 0 ("Off").
unsigned LoadPriorityChannel(const CR455Radio& radio)
{
    if (radio.GetScanPrio() != kOn)
        return 0;
    const int value = DecimalValue(radio.GetPrioCh());
    const std::vector<unsigned> offered = PriorityChannelChoices(radio);
    const bool isOffered =
        value > 0 && std::find(offered.begin(), offered.end(), static_cast<unsigned>(value)) !=
                         offered.end();
    return isOffered ? static_cast<unsigned>(value) : 0;
}

} // namespace

std::vector<unsigned> PriorityChannelChoices(const CR455Radio& radio)
{
    std::vector<unsigned> channels;
    for (unsigned n = 1; n <= CR455Radio::kChannelCount; ++n) {
        if (n == 1 || radio.GetChAppear(n) != kOff)
            channels.push_back(n);
    }
    return channels;
}

CRadioSettings CRadioSettings::Load(const CR455Radio& radio)
{
    CRadioSettings s;
    s.beep = radio.GetBeep() == kOn;
    s.beepUpDownKey = radio.GetBeepUdKey() == kOn;
    s.sideTone = radio.GetSideTone() == kOn;
    s.indicateMode = radio.GetIndicateMode() == "FREQ" ? EIndicateMode::kFrequency
                                                       : EIndicateMode::kText;
    // The backlight list stands for two settings: switched off, or on at a dimmer level.
    if (radio.GetLcdBacklight() == kOff)
        s.backlight = EBacklight::kOff;
    else
        s.backlight = radio.GetLcdDimmer() == "LOW" ? EBacklight::kLow : EBacklight::kHigh;
    s.scanFunction = radio.GetScanFunction() == kOn;
    s.scanHanger = radio.GetScanHanger() == kOn;
    s.scanMode = radio.GetScanMode() == "NORMAL" ? EScanMode::kNormal : EScanMode::kPriority;
    s.priorityChannel = LoadPriorityChannel(radio);
    s.openingText = radio.GetOpeningText();

    s.adjustModeEnable = radio.GetAdjEnable() == kEnable;
    s.vfoModeEnable = radio.GetVfoModeEnable() == kEnable;
    s.vfoTxEnable = radio.GetVfoTxInhibit() == kDisable;
    s.memoryWriteEnable = radio.GetMrWriteEnable() == kEnable;
    const std::string spacing = radio.GetChSpacing();
    if (spacing == kSpacing833)
        s.spacing = EChannelSpacing::k8_33kHz;
    else if (spacing == kSpacing25)
        s.spacing = EChannelSpacing::k25kHz;
    else
        s.spacing = EChannelSpacing::kBoth;
    s.cloneComment = radio.GetCloneComment();
    return s;
}

std::string CRadioSettings::ApplyCommon(CR455Radio& radio) const
{
    radio.SetBeep(OnOff(beep));
    radio.SetBeepUdKey(OnOff(beepUpDownKey));
    radio.SetSideTone(OnOff(sideTone));
    radio.SetScanFunction(OnOff(scanFunction));
    radio.SetScanHanger(OnOff(scanHanger));
    radio.SetIndicateMode(indicateMode == EIndicateMode::kFrequency ? "FREQ" : "TEXT");
    // The dimmer is set before the backlight goes off, and after it comes on.
    if (backlight == EBacklight::kOff) {
        radio.SetLcdDimmer("LOW");
        radio.SetLcdBacklight(kOff);
    } else {
        radio.SetLcdBacklight(kOn);
        radio.SetLcdDimmer(backlight == EBacklight::kHigh ? "HIGH" : "LOW");
    }
    radio.SetScanMode(scanMode == EScanMode::kNormal ? "NORMAL" : "PRIO");
    radio.SetPriorityChannel(priorityChannel == 0 ? std::string(kEnginePriorityOff)
                                                  : std::to_string(priorityChannel));
    radio.SetOpeningText(openingText);
    return OpeningTextNote(openingText, radio.GetOpeningText());
}

void CRadioSettings::ApplyAdvanced(CR455Radio& radio) const
{
    radio.SetAdjEnable(EnableWord(adjustModeEnable));
    radio.SetVfoModeEnable(EnableWord(vfoModeEnable));
    radio.SetVfoTxInhibit(vfoTxEnable ? kDisable : kEnable);
    radio.SetMrWriteEnable(EnableWord(memoryWriteEnable));
    switch (spacing) {
    case EChannelSpacing::k8_33kHz:
        radio.SetChSpacing(kSpacing833);
        break;
    case EChannelSpacing::k25kHz:
        radio.SetChSpacing(kSpacing25);
        break;
    case EChannelSpacing::kBoth:
        radio.SetChSpacing(kSpacingBoth);
        break;
    }
    radio.SetCloneComment(cloneComment);
}
