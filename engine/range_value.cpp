#include "engine/range_value.h"

#include <climits>

#include "engine/access_mode.h"
#include "engine/command_string.h"
#include "engine/number_range.h"

std::string CRangeValue::Execute(const std::string& text)
{
    CCommandString command(text);
    const AccessMode mode = ParseAccessMode(command);
    const std::string value = command.Rest("=", 1);
    if (mode == kByNumber) {
        if (!value.empty()) {
            long long number = 0;
            // Not a number counts as out of range: below any minimum.
            SetValue(ParseDecimal(value, number) ? number : LLONG_MIN);
        }
        return std::to_string(m_value);
    }
    if (!value.empty()) {
        SelectName(value);
    }
    return m_range->GetName(m_value);
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
