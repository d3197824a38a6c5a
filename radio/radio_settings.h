#pragma once

// The settings sheet's two pages as every front end shows them: what the Common and Advanced
// pages load from the radio data object and the order in which OK writes them back. A front end
// draws the boxes and lists (their entries in the orders of the enums below) and hands the
// values over.

#include <string>
#include <vector>

class CR455Radio;

enum class EIndicateMode { kFrequency, kText };
enum class EBacklight { kOff, kLow, kHigh };
enum class EScanMode { kNormal, kPriority };
enum class EChannelSpacing { k8_33kHz, k25kHz, kBoth };

struct CRadioSettings {
    // Common
    bool beep = false;
    bool beepUpDownKey = false;
    bool sideTone = false;
    EIndicateMode indicateMode = EIndicateMode::kFrequency;
    EBacklight backlight = EBacklight::kOff;
    bool scanFunction = false;
    bool scanHanger = false;
    EScanMode scanMode = EScanMode::kNormal;
    unsigned priorityChannel = 0; // 0: priority scanning off
    std::string openingText;
    // Advanced
    bool adjustModeEnable = false;
    bool vfoModeEnable = false;
    bool vfoTxEnable = false; // the box shows "Tx enabled"; the radio stores the inhibit
    bool memoryWriteEnable = false;
    EChannelSpacing spacing = EChannelSpacing::kBoth;
    std::string cloneComment;

    // Longest opening text and clone comment (characters).
    static constexpr unsigned kOpeningTextLimit = 7;
    static constexpr unsigned kCloneCommentLimit = 16;

    static CRadioSettings Load(const CR455Radio& radio);

    // Writes the Common page's settings in the sheet's order. Returns the note of an opening
    // text stored otherwise than typed ("" for none).
    std::string ApplyCommon(CR455Radio& radio) const;
    void ApplyAdvanced(CR455Radio& radio) const;
};

// The channels the priority list offers after "Off": channel 1 always, then every channel in use.
std::vector<unsigned> PriorityChannelChoices(const CR455Radio& radio);
