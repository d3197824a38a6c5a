#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The named codes of a list setting or a channel flag: each entry has the word that is answered
// and matched, and the code stored in the image.
class CValueList {
public:
    CValueList() = default;
    virtual ~CValueList() = default;

    // n entries named "xxxx", each coded with its own index; default index 0.
    void Resize(int count);
    int GetCount() const { return static_cast<int>(m_names.size()); }

    // Entries are addressed through Clamp, so an index out of range reaches the default entry.
    const std::string& GetName(int index) const;
    void SetName(int index, const std::string& name);
    uint16_t GetCode(int index) const;
    void SetCode(int index, uint16_t code);

    void SetDefaultIndex(int index) { m_defaultIndex = index; }
    int GetDefaultIndex() const { return m_defaultIndex; }
    // index when it is in range; else the default index when that is in range; else 0.
    int Clamp(int index) const;

private:
    std::vector<std::string> m_names;
    std::vector<uint16_t> m_codes;
    int m_defaultIndex = 0;
};
