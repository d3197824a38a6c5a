#include "engine/list_value.h"

#include <climits>

#include "engine/command_string.h"
#include "engine/value_list.h"

namespace {

int ToIndex(long long value)
{
    // Anything outside int is out of range for any list.
    return (value < INT_MIN || value > INT_MAX) ? -1 : static_cast<int>(value);
}

} // namespace

std::string CListValue::Execute(const std::string& text)
{
    const CValueCommand command = ParseValueCommand(text);
    if (command.mode == kByNumber && !command.value.empty()) {
        long long number = 0;
        // Not a number counts as out of range, which selects the default entry.
        SelectIndex(ParseDecimal(command.value, number) ? ToIndex(number) : -1);
    } else if (!command.value.empty()) {
        SelectName(command.value);
    }
    return Answer(command.mode);
}

std::string CListValue::Query(const std::string& text) const
{
    const CValueCommand command = ParseValueCommand(text);
    return command.value.empty() ? Answer(command.mode) : std::string();
}

std::string CListValue::Answer(AccessMode mode) const
{
    return mode == kByNumber ? std::to_string(m_index) : CurrentName();
}

void CListValue::SelectIndex(int index)
{
    m_index = m_list->Clamp(index);
}

bool CListValue::SelectName(const std::string& name)
{
    for (int i = 0; i < m_list->GetCount(); ++i) {
        if (EqualsNoCase(m_list->GetName(i), name)) {
            m_index = i;
            return true;
        }
    }
    return false;
}

void CListValue::SelectCode(uint16_t code)
{
    for (int i = 0; i < m_list->GetCount(); ++i) {
        if (m_list->GetCode(i) == code) {
            m_index = i;
            return;
        }
    }
    m_index = m_list->Clamp(m_list->GetDefaultIndex());
}

const std::string& CListValue::CurrentName() const
{
    return m_list->GetName(m_index);
}

uint16_t CListValue::CurrentCode() const
{
    return m_list->GetCode(m_index);
}
