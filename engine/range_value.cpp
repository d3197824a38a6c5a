#include "engine/range_value.h"

#include <climits>

#include "engine/command_string.h"
#include "engine/number_range.h"

std::string CRangeValue::Execute(const std::string& text)
{
    const CValueCommand command = ParseValueCommand(text);
    if (command.mode == kByNumber && !command.value.empty()) {
        long long number = 0;
        // Not a number counts as out of range: below any minimum.
        SetValue(ParseDecimal(command.value, number) ? number : LLONG_MIN);
    } else if (!command.value.empty()) {
        SelectName(command.value);
    }
    return Answer(command.mode);
}

std::string CRangeValue::Query(const std::string& text) const
{
    const CValueCommand command = ParseValueCommand(text);
    return command.value.empty() ? Answer(command.mode) : std::string();
}

std::string CRangeValue::Answer(AccessMode mode) const
{
    return mode == kByNumber ? std::to_string(m_value) : m_range->GetName(m_value);
}

void CRangeValue::SetValue(long long value)
{
    m_value = m_range->Validate(value);
}

bool CRangeValue::SelectName(const std::string& text)
{
    for (long long n = m_range->GetMinimum(); n <= m_range->GetMaximum(); ++n) {
        if (EqualsNoCase(m_range->GetName(static_cast<int>(n)), text)) {
            m_value = static_cast<int>(n);
            return true;
        }
    }
    return false;
}
