#pragma once

// The COM port numbers 1 to 4 the user chooses from, each bound to a device (by default the
// system's usual device for that number), and the number chosen.

#include <string>

class CComPortTable {
public:
    static constexpr int kCount = 4;

    CComPortTable();

    static bool IsNumber(int number) { return number >= 1 && number <= kCount; }

    // Numbers outside 1 to 4 are ignored.
    void SetNumber(int number);
    int GetNumber() const { return m_number; }

    // Numbers outside 1 to 4 are ignored; their device is empty.
    void SetDevice(int number, const std::string& device);
    std::string GetDevice(int number) const;
    // Binds every number to `device`.
    void SetAllDevices(const std::string& device);

    // The device of the number chosen.
    std::string GetChosenDevice() const { return GetDevice(m_number); }

private:
    int m_number = 1;
    std::string m_devices[kCount];
};
