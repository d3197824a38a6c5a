#pragma once

#include <string>

#include "engine/access_mode.h"

class CNumberRange;

// A number held within a CNumberRange (not owned). Answers with the number's name, or with the
// number itself for ByNumber; a number out of range falls back to the range's default.
class CRangeValue {
public:
    explicit CRangeValue(const CNumberRange* range) : m_range(range) {}
    virtual ~CRangeValue() = default;

    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty.
    std::string Query(const std::string& command) const;

    void SetValue(long long value);
    int Value() const { return m_value; }
    // Searches the numbers in ascending order for a name equal to text (case-insensitive).
    bool SelectName(const std::string& text);

private:
    std::string Answer(AccessMode mode) const;

    const CNumberRange* m_range;
    int m_value = 0;
};
