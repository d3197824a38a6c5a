#pragma once

#include <cstdint>

// A set of inclusive signed ranges with a membership test. Ranges are neither merged nor sorted;
// the chain always ends in a sentinel node that is never part of the set.
class CRangeList {
public:
    CRangeList();
    virtual ~CRangeList();

    CRangeList(const CRangeList&) = delete;
    CRangeList& operator=(const CRangeList&) = delete;

    // Adds [min(a, b), max(a, b)] at the head.
    void Add(int32_t a, int32_t b);
    bool Contains(int32_t x) const;
    void Clear();

private:
    struct CNode {
        int32_t low;
        int32_t high;
        CNode* next;
    };

    CNode* m_head;
};
