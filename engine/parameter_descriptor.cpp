#include "engine/parameter_descriptor.h"

#include <vector>

#include "engine/clone_image.h"
#include "engine/command_string.h"
#include "engine/list_value.h"
#include "engine/number_range.h"
#include "engine/range_value.h"
#include "engine/text_value.h"
#include "engine/value_list.h"

CParameterDescriptor::CParameterDescriptor() = default;

CParameterDescriptor::~CParameterDescriptor() = default;

void CParameterDescriptor::SetKind(const std::string& word)
{
    if (EqualsNoCase(word, "EMPTY")) {
        m_kind = kEmpty;
    } else if (EqualsNoCase(word, "BITNUM")) {
        m_kind = kBitNum;
        m_valueList.reset(new CValueList);
        m_valueList->Resize(1);
        m_listValue.reset(new CListValue(m_valueList.get()));
        m_bit = 7;
        m_width = 8;
    } else if (EqualsNoCase(word, "SELNUM")) {
        m_kind = kSelNum;
        m_numberRange.reset(new CNumberRange);
        m_numberRange->SetRange(0, 0);
        m_rangeValue.reset(new CRangeValue(m_numberRange.get()));
        m_bit = 7;
        m_width = 8;
    } else if (EqualsNoCase(word, "MEMNAME")) {
        m_kind = kMemName;
        m_textValue.reset(new CTextValue);
        m_textValue->SetLength(1, 1);
        m_textValue->SetMode(1);
    }
}

std::string CParameterDescriptor::Execute(const std::string& command)
{
    switch (m_kind) {
    case kBitNum:
        return m_listValue->Execute(command);
    case kSelNum:
        return m_rangeValue->Execute(command);
    case kMemName:
        return m_textValue->Execute(command);
    default:
        return std::string();
    }
}

std::string CParameterDescriptor::Query(const std::string& command) const
{
    switch (m_kind) {
    case kBitNum:
        return m_listValue->Query(command);
    case kSelNum:
        return m_rangeValue->Query(command);
    case kMemName:
        return m_textValue->Query(command);
    default:
        return std::string();
    }
}

void CParameterDescriptor::Sync(int direction, CCloneImage& image)
{
    if (direction == 0) {
        Decode(image);
    } else if (direction == 1) {
        Encode(image);
    }
}

void CParameterDescriptor::Decode(const CCloneImage& image)
{
    const uint32_t address = static_cast<uint32_t>(m_address);
    switch (m_kind) {
    case kBitNum:
        m_listValue->SelectCode(image.ReadBits(address, m_bit, m_width));
        break;
    case kSelNum:
        m_rangeValue->SetValue(image.ReadBits(address, m_bit, m_width));
        break;
    case kMemName: {
        const uint32_t count = m_width > 0 ? static_cast<uint32_t>(m_width / 8) : 0;
        // A block the image cannot supply reads as an empty text.
        std::vector<char> buffer(count + 1, '\0');
        image.ReadBlock(address, reinterpret_cast<uint8_t*>(buffer.data()), count);
        m_textValue->SetText(buffer.data(), count);
        break;
    }
    default:
        break;
    }
}

void CParameterDescriptor::Encode(CCloneImage& image) const
{
    const uint32_t address = static_cast<uint32_t>(m_address);
    switch (m_kind) {
    case kBitNum:
        image.WriteBits(address, m_bit, m_width, m_listValue->CurrentCode());
        break;
    case kSelNum:
        image.WriteBits(address, m_bit, m_width, static_cast<uint16_t>(m_rangeValue->Value()));
        break;
    case kMemName: {
        const uint32_t count = m_width > 0 ? static_cast<uint32_t>(m_width / 8) : 0;
        const std::string& text = m_textValue->Text();
        if (text.size() >= count) {
            image.WriteBlock(address, reinterpret_cast<const uint8_t*>(text.data()), count);
        } else {
            // The text is shorter than its field only when the lengths were set inconsistently;
            // pad with spaces rather than read past the text.
            std::string padded = text;
            padded.resize(count, ' ');
            image.WriteBlock(address, reinterpret_cast<const uint8_t*>(padded.data()), count);
        }
        break;
    }
    default:
        break;
    }
}
