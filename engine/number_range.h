#pragma once

#include <string>
#include <vector>

// The numbers of a numeric setting, each with a display name, and the default that an out-of-
// range number falls back to.
class CNumberRange {
public:
    CNumberRange() = default;
    virtual ~CNumberRange() = default;

    // The smaller bound becomes the minimum and the default; every name becomes empty.
    void SetRange(int a, int b);
    int GetMinimum() const { return m_minimum; }
    int GetMaximum() const { return m_maximum; }

    // Names are addressed through Validate.
    const std::string& GetName(int number) const;
    void SetName(int number, const std::string& name);

    void SetDefault(int number) { m_default = number; }
    int GetDefault() const { return m_default; }
    // number when it is in range; else the default when that is in range; else the minimum.
    int Validate(long long number) const;

private:
    int m_minimum = 0;
    int m_maximum = 0;
    int m_default = 0;
    std::vector<std::string> m_names = std::vector<std::string>(1);
};
