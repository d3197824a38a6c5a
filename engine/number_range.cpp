#include "engine/number_range.h"

void CNumberRange::SetRange(int a, int b)
{
    m_minimum = a < b ? a : b;
    m_maximum = a < b ? b : a;
    m_default = m_minimum;
    m_names.assign(static_cast<size_t>(static_cast<long long>(m_maximum) - m_minimum + 1),
                   std::string());
}

int CNumberRange::Validate(long long number) const
{
    if (number >= m_minimum && number <= m_maximum) {
        return static_cast<int>(number);
    }
    if (m_default >= m_minimum && m_default <= m_maximum) {
        return m_default;
    }
    return m_minimum;
}

const std::string& CNumberRange::GetName(int number) const
{
    return m_names[static_cast<size_t>(static_cast<long long>(Validate(number)) - m_minimum)];
}

void CNumberRange::SetName(int number, const std::string& name)
{
    m_names[static_cast<size_t>(static_cast<long long>(Validate(number)) - m_minimum)] = name;
}
