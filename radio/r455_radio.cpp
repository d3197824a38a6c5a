#include "radio/r455_radio.h"

#include <algorithm>
#include <cstring>

#include "engine/engine_words.h"
#include "engine/radio_engine.h"
#include "radio/display_spelling.h"
#include "text/text_util.h"

namespace {

const char kCommon[] = "COMMON.";

// The byte an unset opening text holds; the transceiver shows no opening text then.
const char kUnsetText = static_cast<char>(0xFF);

// The model comment starts after three leading bytes of the record's comment.
constexpr size_t kModelCommentOffset = 3;

} // namespace

const char CR455Radio::kModelName[] = "VX-R455NORD";

const char* const CR455Radio::kSettingKeys[CR455Radio::kSettingCount] = {
    "ADJ_ENABLE",   "CH_SPACING",   "VFOMODE_ENABLE", "VFOTX_INHIBIT", "MRWRITE_ENABLE",
    "INDICATEMODE", "BEEP",         "BEEP_UDKEY",     "SIDETONE",      "SCAN_FUNCTION",
    "SCAN_MODE",    "SCAN_HANGER",  "SCAN_PRIO",      "LCD_BACKLIGHT", "LCD_DIMMER",
    "PRIOCH",       "OPENING_TEXT", "CLONE_COMMENT",
};

CR455Radio::CR455Radio() = default;

CR455Radio::~CR455Radio() = default;

void CR455Radio::GetModelName(std::string& name) const
{
    name = kModelName;
}

void CR455Radio::GetModelComment(std::string& comment) const
{
    comment.assign(reinterpret_cast<const char*>(m_modelInfo.comment) + kModelCommentOffset,
                   kModelCommentLength);
}

bool CR455Radio::CheckModelInfo(const ModelInfo* info, bool checkOnly)
{
    if (!info || info->modelCode != kModelCode || info->revision != kRevision)
        return false;
    if (checkOnly)
        return true;
    ModelInfo copy = *info;
    ValidateModelInfo(&copy);
    size_t length = std::min<size_t>(copy.commentLength, sizeof(m_modelInfo.comment));
    std::memcpy(m_modelInfo.comment, copy.comment, length);
    return false;
}

void CR455Radio::InitModelInfo()
{
    m_modelInfo = ModelInfo();
    m_modelInfo.modelCode = kModelCode;
    m_modelInfo.revision = kRevision;
    m_modelInfo.commentLength = kModelCommentLength;
    std::memset(m_modelInfo.comment, ' ', kModelCommentLength);
}

CRadioEngine* CR455Radio::CreateRig()
{
    m_engine = std::make_unique<CRadioEngine>();
    return m_engine.get();
}

std::string CR455Radio::ChPrefix(unsigned ch)
{
    if (ch < 1 || ch > kChannelCount)
        return std::string();
    return EngineWord::kMemoryChannel + std::to_string(ch) + ".";
}

std::string CR455Radio::ChQuery(unsigned ch, const char* field) const
{
    return Query(ChPrefix(ch) + field);
}

std::string CR455Radio::ChChange(unsigned ch, const char* field, const std::string& value)
{
    return Command(ChPrefix(ch) + field + "=" + value);
}

std::string CR455Radio::Heal()
{
    return Command(EngineWord::kHeal);
}

std::string CR455Radio::HealCh(unsigned ch)
{
    return Command(ChPrefix(ch) + EngineWord::kHeal);
}

std::string CR455Radio::GetChIsLegal(unsigned ch) const
{
    return ChQuery(ch, EngineWord::kIsLegal) == EngineWord::kNg ? "?" : "";
}

std::string CR455Radio::GetChAppear(unsigned ch) const
{
    return ChQuery(ch, EngineWord::kAppear);
}

std::string CR455Radio::GetChFrequency(unsigned ch) const
{
    return ChQuery(ch, EngineWord::kFrequency);
}

std::string CR455Radio::GetChName(unsigned ch) const
{
    return TrimRight(ChQuery(ch, EngineWord::kName));
}

std::string CR455Radio::GetChTxInhibit(unsigned ch) const
{
    return ChQuery(ch, EngineWord::kTxInhibit);
}

std::string CR455Radio::GetChLockout(unsigned ch) const
{
    return ChQuery(ch, EngineWord::kChLockout);
}

std::string CR455Radio::SetChAppear(unsigned ch, const std::string& value)
{
    return ChChange(ch, EngineWord::kAppear, value);
}

std::string CR455Radio::SetChFrequency(unsigned ch, std::string& value)
{
    value = Trim(value);
    return ChChange(ch, EngineWord::kFrequency, value);
}

std::string CR455Radio::SetChName(unsigned ch, const std::string& value)
{
    std::string name = TrimRight(SpelledForDisplay(value));
    if (name.empty())
        name = " ";
    return ChChange(ch, EngineWord::kName, name);
}

std::string CR455Radio::SetChTxInhibit(unsigned ch, const std::string& value)
{
    return ChChange(ch, EngineWord::kTxInhibit, value);
}

std::string CR455Radio::SetChLockout(unsigned ch, const std::string& value)
{
    return ChChange(ch, EngineWord::kChLockout, value);
}

std::string CR455Radio::GetCloneComment() const
{
    return TrimRight(GetSetting("CLONE_COMMENT"));
}

std::string CR455Radio::SetCloneComment(const std::string& value)
{
    std::string comment = TrimRight(value);
    if (comment.empty())
        comment = " ";
    return SetSetting("CLONE_COMMENT", comment);
}

std::string CR455Radio::SetPriorityChannel(const std::string& value)
{
    SetScanPrio(DecimalValue(value) == 0 ? EngineWord::kOff : EngineWord::kOn);
    return SetPrioCh(value);
}

std::string CR455Radio::GetSetting(const std::string& key) const
{
    return Query(kCommon + key);
}

std::string CR455Radio::SetSetting(const std::string& key, const std::string& value)
{
    return Command(kCommon + key + "=" + value);
}

std::string CR455Radio::GetOpeningText() const
{
    std::string text = GetSetting("OPENING_TEXT");
    if (!text.empty() && text[0] == kUnsetText)
        return std::string();
    return TrimRight(text);
}

std::string CR455Radio::SetOpeningText(const std::string& value)
{
    std::string text = TrimRight(SpelledForDisplay(value));
    if (text.empty())
        text = std::string(1, kUnsetText);
    return SetSetting("OPENING_TEXT", text);
}

// One query and one change per plain setting key.
#define PWR_SETTING(Name, key)                                                                     \
    std::string CR455Radio::Get##Name() const                                                      \
    {                                                                                              \
        return GetSetting(key);                                                                    \
    }                                                                                              \
    std::string CR455Radio::Set##Name(const std::string& value)                                    \
    {                                                                                              \
        return SetSetting(key, value);                                                             \
    }

PWR_SETTING(Beep, "BEEP")
PWR_SETTING(BeepUdKey, "BEEP_UDKEY")
PWR_SETTING(SideTone, "SIDETONE")
PWR_SETTING(IndicateMode, "INDICATEMODE")
PWR_SETTING(LcdBacklight, "LCD_BACKLIGHT")
PWR_SETTING(LcdDimmer, "LCD_DIMMER")
PWR_SETTING(ScanFunction, "SCAN_FUNCTION")
PWR_SETTING(ScanHanger, "SCAN_HANGER")
PWR_SETTING(ScanMode, "SCAN_MODE")
PWR_SETTING(ScanPrio, "SCAN_PRIO")
PWR_SETTING(PrioCh, "PRIOCH")
PWR_SETTING(AdjEnable, "ADJ_ENABLE")
PWR_SETTING(VfoModeEnable, "VFOMODE_ENABLE")
PWR_SETTING(VfoTxInhibit, "VFOTX_INHIBIT")
PWR_SETTING(MrWriteEnable, "MRWRITE_ENABLE")
PWR_SETTING(ChSpacing, "CH_SPACING")

#undef PWR_SETTING
