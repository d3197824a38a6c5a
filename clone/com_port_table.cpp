#include "clone/com_port_table.h"

#include "clone/comm_port.h"

CComPortTable::CComPortTable()
{
    for (int number = 1; number <= kCount; ++number)
        m_devices[number - 1] = CCommPort::GetDefaultDevice(number);
}

void CComPortTable::SetNumber(int number)
{
    if (IsNumber(number))
        m_number = number;
}

void CComPortTable::SetDevice(int number, const std::string& device)
{
    if (IsNumber(number))
        m_devices[number - 1] = device;
}

std::string CComPortTable::GetDevice(int number) const
{
    return IsNumber(number) ? m_devices[number - 1] : std::string();
}

void CComPortTable::SetAllDevices(const std::string& device)
{
    for (std::string& bound : m_devices)
        bound = device;
}
