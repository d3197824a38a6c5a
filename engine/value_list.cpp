#include "engine/value_list.h"

void CValueList::Resize(int count)
{
    if (count < 0) {
        count = 0;
    }
    m_names.assign(static_cast<size_t>(count), "xxxx");
    m_codes.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        m_codes[static_cast<size_t>(i)] = static_cast<uint16_t>(i);
    }
    m_defaultIndex = 0;
}

int CValueList::Clamp(int index) const
{
    const int count = GetCount();
    if (index >= 0 && index < count) {
        return index;
    }
    if (m_defaultIndex >= 0 && m_defaultIndex < count) {
        return m_defaultIndex;
    }
    return 0;
}

const std::string& CValueList::GetName(int index) const
{
    static const std::string kNone;
    return m_names.empty() ? kNone : m_names[static_cast<size_t>(Clamp(index))];
}

void CValueList::SetName(int index, const std::string& name)
{
    if (!m_names.empty()) {
        m_names[static_cast<size_t>(Clamp(index))] = name;
    }
}

uint16_t CValueList::GetCode(int index) const
{
    return m_codes.empty() ? 0 : m_codes[static_cast<size_t>(Clamp(index))];
}

void CValueList::SetCode(int index, uint16_t code)
{
    if (!m_codes.empty()) {
        m_codes[static_cast<size_t>(Clamp(index))] = code;
    }
}
