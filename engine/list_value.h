#pragma once

#include <cstdint>
#include <string>

#include "engine/access_mode.h"

class CValueList;

// A selection in a CValueList (not owned). Answers with the selected word, or with its index
// for ByNumber; an unknown word leaves the selection unchanged.
class CListValue {
public:
    explicit CListValue(const CValueList* list) : m_list(list) {}
    virtual ~CListValue() = default;

    // The value part of a command: empty or "=" is a query, "=WORD" or "ByNumber=N" a change.
    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty.
    std::string Query(const std::string& command) const;

    void SelectIndex(int index);
    // Case-insensitive search from the first entry; no match changes nothing.
    bool SelectName(const std::string& name);
    // The first entry with this code, or the default entry when none has it.
    void SelectCode(uint16_t code);

    int GetIndex() const { return m_index; }
    const std::string& CurrentName() const;
    uint16_t CurrentCode() const;

private:
    std::string Answer(AccessMode mode) const;

    const CValueList* m_list;
    int m_index = 0;
};
