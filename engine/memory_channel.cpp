#include "engine/memory_channel.h"

#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/frequency_band.h"
#include "engine/frequency_value.h"
#include "engine/list_value.h"
#include "engine/text_value.h"

namespace {

// An ALL item may itself be an ALL command; deeper nesting than this is ignored so that a
// hostile command cannot exhaust the stack.
const int kMaximumAllDepth = 4;

enum EField { kNoField, kAll, kAppear, kFrequency, kName, kTxInhibit, kLockout };

EField FindField(const std::string& word)
{
    static const struct {
        const char* word;
        EField field;
    } kFields[] = {{"ALL", kAll},   {"APPEAR", kAppear},       {"FREQUENCY", kFrequency},
                   {"NAME", kName}, {"TXINHIBIT", kTxInhibit}, {"CHLOCKOUT", kLockout}};
    if (!word.empty()) {
        for (const auto& entry : kFields) {
            if (EqualsNoCase(word, entry.word)) {
                return entry.field;
            }
        }
    }
    return kNoField;
}

// A field command read apart: the field, the value after the first '=' (so a name may contain
// '='), and the part that the field's value object takes (ACCESS=VALUE).
struct CFieldCommand {
    EField field = kNoField;
    std::string value;
    std::string valueCommand;
};

CFieldCommand ParseFieldCommand(const std::string& text)
{
    const CCommandString command(text);
    const CCommandString left(command.Field('=', 0));
    CFieldCommand parsed;
    parsed.field = FindField(left.Field('.', 0));
    parsed.value = command.Rest('=', 1);
    parsed.valueCommand = left.Rest('.', 1) + "=" + parsed.value;
    return parsed;
}

uint8_t Bcd(uint32_t twoDigits)
{
    return static_cast<uint8_t>(16 * ((twoDigits % 100) / 10) + twoDigits % 10);
}

} // namespace

CMemoryChannel::CMemoryChannel(const CFrequencyBand* band, const CChannelId& id,
                               const CChannelLists& lists)
    : m_band(band), m_id(id), m_frequency(new CFrequencyValue),
      m_appear(new CListValue(lists.appear)), m_txInhibit(new CListValue(lists.txInhibit)),
      m_lockout(new CListValue(lists.lockout)), m_name(new CTextValue)
{
    m_name->SetLength(kNameLength, kNameLength);
    m_name->SetMode(1);
}

CMemoryChannel::~CMemoryChannel() = default;

uint32_t CMemoryChannel::GetRecordAddress() const
{
    if (m_id.GetKind() == CChannelId::kMch) {
        return kFirstMemoryRecord + kRecordSize * static_cast<uint32_t>(m_id.GetIndex());
    }
    return kVfoRecord;
}

int32_t CMemoryChannel::GetFrequency() const
{
    return m_frequency->Value();
}

std::string CMemoryChannel::Execute(const std::string& command)
{
    return ExecuteField(command, 0);
}

bool CMemoryChannel::IsBlank() const
{
    return m_appear->CurrentName() == "OFF";
}

std::string CMemoryChannel::ExecuteField(const std::string& text, int depth)
{
    const CFieldCommand command = ParseFieldCommand(text);
    switch (command.field) {
    case kAll:
        return ExecuteAll(command.value, depth);
    case kFrequency:
        return m_frequency->Execute(command.valueCommand);
    case kName:
        return m_name->Execute(command.valueCommand);
    case kTxInhibit:
        return m_txInhibit->Execute(command.valueCommand);
    case kLockout:
        return m_lockout->Execute(command.valueCommand);
    case kAppear: {
        const std::string answer = m_appear->Execute(command.valueCommand);
        // A blank channel has no frequency, also after a mere query.
        if (IsBlank()) {
            m_frequency->SetValue(0);
        }
        return answer;
    }
    default:
        return std::string();
    }
}

std::string CMemoryChannel::Query(const std::string& text) const
{
    const CFieldCommand command = ParseFieldCommand(text);
    if (!command.value.empty()) {
        return std::string();
    }
    switch (command.field) {
    case kAll:
        return QueryAll();
    case kFrequency:
        return (IsBlank() ? CFrequencyValue() : *m_frequency).Query(command.valueCommand);
    case kName:
        return m_name->Query(command.valueCommand);
    case kTxInhibit:
        return m_txInhibit->Query(command.valueCommand);
    case kLockout:
        return m_lockout->Query(command.valueCommand);
    case kAppear:
        return m_appear->Query(command.valueCommand);
    default:
        return std::string();
    }
}

std::string CMemoryChannel::ExecuteAll(const std::string& value, int depth)
{
    if (!value.empty() && depth < kMaximumAllDepth) {
        // Items run in order up to the first empty one; their answers are not used.
        std::string::size_type start = 0;
        while (start <= value.size()) {
            const std::string::size_type tab = value.find('\t', start);
            const std::string item =
                value.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (item.empty()) {
                break;
            }
            ExecuteField(item, depth + 1);
            if (tab == std::string::npos) {
                break;
            }
            start = tab + 1;
        }
    }
    // APPEAR is asked first, as a field command: a blank channel loses its frequency.
    ExecuteField("APPEAR", depth + 1);
    return QueryAll();
}

std::string CMemoryChannel::QueryAll() const
{
    static const char* const kQueries[] = {"APPEAR", "FREQUENCY", "NAME", "TXINHIBIT", "CHLOCKOUT"};
    std::string answer;
    for (const char* query : kQueries) {
        if (!answer.empty()) {
            answer += '\t';
        }
        answer += query;
        answer += '=';
        answer += Query(query);
    }
    return answer;
}

void CMemoryChannel::CopyFrom(CMemoryChannel& source)
{
    if (&source == this) {
        Heal(0);
        return;
    }
    m_frequency->SetValue(source.m_frequency->Value());
    m_appear->SelectName(source.m_appear->CurrentName());
    m_txInhibit->SelectName(source.m_txInhibit->CurrentName());
    m_lockout->SelectName(source.m_lockout->CurrentName());
    m_name->SetText(source.m_name->Text());
    Heal(0);
}

void CMemoryChannel::Heal(int safety)
{
    if (!IsMovable()) {
        ExecuteField("APPEAR=ON", 0);
    } else if (ExecuteField("APPEAR", 0) == "OFF") {
        m_name->SetText(std::string());
    }
    const uint32_t hertz = m_band->ClampAndSnap(static_cast<uint32_t>(m_frequency->Value()));
    m_frequency->SetValue(hertz);
    if (safety != 0 && !m_band->Contains(hertz)) {
        m_loaded = 0;
    }
}

void CMemoryChannel::Sync(int direction, CCloneImage& image)
{
    if (direction == 0) {
        Decode(image);
    } else if (direction == 1) {
        Encode(image);
    }
    m_loaded = 1;
}

void CMemoryChannel::Decode(const CCloneImage& image)
{
    const uint32_t base = GetRecordAddress();
    uint32_t hertz = 0;
    if (image.ReadByte(base) != 0xFF) {
        // Six BCD digits of kilohertz, each nibble taken as a digit.
        uint32_t kilohertz = 0;
        for (uint32_t i = 0; i < 3; ++i) {
            const uint8_t b = image.ReadByte(base + i);
            kilohertz = kilohertz * 100 + (b >> 4) * 10 + (b & 15);
        }
        hertz = kilohertz * 1000;
        // The record keeps whole kilohertz: 118.012 stands for 118.0125 on the 8.33 kHz grid.
        while (hertz % 5000 != 0 && hertz % 12500 != 0) {
            hertz += 500;
        }
    }
    m_frequency->SetValue(hertz);
    m_appear->SelectName(hertz != 0 ? "ON" : "OFF");
    m_txInhibit->SelectCode(
        static_cast<uint16_t>(image.GetBit(base + kFlagsOffset, kTxInhibitBit)));
    m_lockout->SelectCode(static_cast<uint16_t>(image.GetBit(base + kFlagsOffset, kLockoutBit)));
    char name[kNameLength + 1] = {};
    image.ReadBlock(base + kNameOffset, reinterpret_cast<uint8_t*>(name), kNameLength);
    m_name->SetText(name, kNameLength);
}

void CMemoryChannel::Encode(CCloneImage& image)
{
    const uint32_t base = GetRecordAddress();
    const uint32_t hertz = static_cast<uint32_t>(m_frequency->Value());
    if (hertz != 0) {
        const uint32_t kilohertz = hertz / 1000;
        const uint32_t hundredKilohertz = hertz / 100000;
        const uint32_t tensOfMegahertz = (hundredKilohertz / 100) % 1000;
        image.WriteByte(base,
                        static_cast<uint8_t>(16 * (tensOfMegahertz / 10) + tensOfMegahertz % 10));
        image.WriteByte(base + 1, Bcd(hundredKilohertz));
        image.WriteByte(base + 2, Bcd(kilohertz));
    }
    m_appear->SelectName(hertz != 0 ? "ON" : "OFF");
    image.SetBit(base + kFlagsOffset, kTxInhibitBit, m_txInhibit->CurrentCode());
    image.SetBit(base + kFlagsOffset, kLockoutBit, m_lockout->CurrentCode());
    const std::string& name = m_name->Text();
    image.SetBit(base + kFlagsOffset, kNamePresentBit,
                 name.find_first_not_of(' ') != std::string::npos);
    image.WriteBlock(base + kNameOffset, reinterpret_cast<const uint8_t*>(name.data()),
                     kNameLength);
}
