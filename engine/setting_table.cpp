#include "engine/setting_table.h"

#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/number_range.h"
#include "engine/parameter_descriptor.h"
#include "engine/text_value.h"
#include "engine/value_list.h"

namespace {

// !!! The settings layout of the transceiver image. Keys are the command words, addresses and
// bits are where the transceiver keeps each setting, codes are the stored bit values. Every
// saved file and every clone depends on it. DO NOT CHANGE. !!!
struct CListSetting {
    const char* key;
    int address;
    int firstBit;
    int width;
    const char* words[3]; // the word of code i, null after the last
};

const CListSetting kListSettingsBeforePrioCh[] = {
    {"ADJ_ENABLE", 0x30, 7, 1, {"DISABLE", "ENABLE", nullptr}},
    {"CH_SPACING", 0x30, 6, 2, {"25kHz", "8.33kHz", "25k/8.33kHz"}},
    {"VFOMODE_ENABLE", 0x30, 4, 1, {"DISABLE", "ENABLE", nullptr}},
    // The Tx-inhibit bit of the VFO channel record; encoded after the channels, so the
    // setting decides the bit.
    {"VFOTX_INHIBIT", 0x53, 7, 1, {"DISABLE", "ENABLE", nullptr}},
    {"MRWRITE_ENABLE", 0x30, 3, 1, {"DISABLE", "ENABLE", nullptr}},
    {"INDICATEMODE", 0x31, 7, 1, {"FREQ", "TEXT", nullptr}},
    {"BEEP", 0x31, 6, 1, {"OFF", "ON", nullptr}},
    {"BEEP_UDKEY", 0x31, 5, 1, {"OFF", "ON", nullptr}},
    {"SIDETONE", 0x31, 4, 1, {"OFF", "ON", nullptr}},
    {"SCAN_FUNCTION", 0x31, 3, 1, {"OFF", "ON", nullptr}},
    {"SCAN_MODE", 0x31, 2, 1, {"NORMAL", "PRIO", nullptr}},
    {"SCAN_HANGER", 0x31, 1, 1, {"OFF", "ON", nullptr}},
    {"SCAN_PRIO", 0x31, 0, 1, {"OFF", "ON", nullptr}},
    {"LCD_BACKLIGHT", 0x32, 7, 1, {"OFF", "ON", nullptr}},
    {"LCD_DIMMER", 0x32, 6, 1, {"LOW", "HIGH", nullptr}},
};

// The priority channel: numbers 0 to 19 stand for memory channels 1 to 20.
const char kPrioChKey[] = "PRIOCH";
const int kPrioChAddress = 0x40;
const int kPrioChCount = 20;
const int kPrioChDefault = 1;

struct CTextSetting {
    const char* key;
    int address;
    int length;
};

const CTextSetting kTextSettings[] = {
    {"OPENING_TEXT", 0x38, 7},
    {"CLONE_COMMENT", 0x10, 16},
};

} // namespace

CSettingTable::CSettingTable()
{
    Build();
}

CSettingTable::~CSettingTable() = default;

void CSettingTable::Build()
{
    for (const CListSetting& row : kListSettingsBeforePrioCh) {
        std::unique_ptr<CParameterDescriptor> descriptor(new CParameterDescriptor);
        descriptor->SetKind("BITNUM");
        descriptor->SetName(row.key);
        int count = 0;
        while (count < 3 && row.words[count] != nullptr) {
            ++count;
        }
        CValueList* list = descriptor->GetValueList();
        list->Resize(count);
        for (int i = 0; i < count; ++i) {
            list->SetName(i, row.words[i]);
            list->SetCode(i, static_cast<uint16_t>(i));
        }
        descriptor->SetAddress(row.address);
        descriptor->SetFirstBit(row.firstBit);
        descriptor->SetBitWidth(row.width);
        m_descriptors.push_back(std::move(descriptor));
    }

    std::unique_ptr<CParameterDescriptor> prioCh(new CParameterDescriptor);
    prioCh->SetKind("SELNUM");
    prioCh->SetName(kPrioChKey);
    CNumberRange* range = prioCh->GetNumberRange();
    range->SetRange(0, kPrioChCount - 1);
    range->SetDefault(kPrioChDefault);
    for (int i = 0; i < kPrioChCount; ++i) {
        range->SetName(i, std::to_string(i + 1));
    }
    prioCh->SetAddress(kPrioChAddress);
    prioCh->SetFirstBit(7);
    prioCh->SetBitWidth(8);
    m_descriptors.push_back(std::move(prioCh));

    for (const CTextSetting& row : kTextSettings) {
        std::unique_ptr<CParameterDescriptor> descriptor(new CParameterDescriptor);
        descriptor->SetKind("MEMNAME");
        descriptor->SetName(row.key);
        CTextValue* text = descriptor->GetTextValue();
        text->SetLength(row.length, row.length);
        text->SetMode(0);
        descriptor->SetAddress(row.address);
        descriptor->SetFirstBit(7);
        descriptor->SetByteWidth(row.length);
        m_descriptors.push_back(std::move(descriptor));
    }
}

CParameterDescriptor* CSettingTable::Find(const std::string& key) const
{
    for (const auto& descriptor : m_descriptors) {
        if (EqualsNoCase(descriptor->Name(), key)) {
            return descriptor.get();
        }
    }
    return nullptr;
}

CParameterDescriptor* CSettingTable::Resolve(const CCommandString& command,
                                             std::string& valueCommand) const
{
    const CCommandString left(command.Field('=', 0));
    if (!EqualsNoCase(left.Field('.', 0), "COMMON")) {
        return nullptr;
    }
    // Further '.' fields after the access word are ignored.
    valueCommand = left.Field('.', 2) + "=" + command.Field('=', 1);
    return Find(left.Field('.', 1));
}

std::string CSettingTable::Execute(CCommandString& command)
{
    std::string valueCommand;
    CParameterDescriptor* descriptor = Resolve(command, valueCommand);
    return descriptor ? descriptor->Execute(valueCommand) : std::string();
}

std::string CSettingTable::Query(CCommandString& command) const
{
    std::string valueCommand;
    const CParameterDescriptor* descriptor = Resolve(command, valueCommand);
    return descriptor ? descriptor->Query(valueCommand) : std::string();
}

std::string CSettingTable::Execute(const std::string& text)
{
    CCommandString command(text);
    return Execute(command);
}

void CSettingTable::SyncAll(int direction, CCloneImage& image)
{
    for (const auto& descriptor : m_descriptors) {
        descriptor->Sync(direction, image);
    }
    m_loaded = 1;
}

void CSettingTable::Sync(CCloneImage& image)
{
    SyncAll(m_loaded ? 1 : 0, image);
}
