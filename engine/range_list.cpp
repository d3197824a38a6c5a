#include "engine/range_list.h"

CRangeList::CRangeList() : m_head(new CNode{-1, -1, nullptr}) {}

CRangeList::~CRangeList()
{
    Clear();
    delete m_head;
}

void CRangeList::Add(int32_t a, int32_t b)
{
    m_head = new CNode{a < b ? a : b, a < b ? b : a, m_head};
}

bool CRangeList::Contains(int32_t x) const
{
    for (const CNode* node = m_head; node->next != nullptr; node = node->next) {
        if (node->low <= x && x <= node->high) {
            return true;
        }
    }
    return false;
}

void CRangeList::Clear()
{
    while (m_head->next != nullptr) {
        CNode* next = m_head->next;
        delete m_head;
        m_head = next;
    }
}
