#include "engine/channel_id.h"

#include "engine/command_string.h"

CChannelId::CChannelId(int kind, int index)
    : m_kind(kind < kNone || kind > kMch ? kVfo : kind), m_index(index)
{
}

int CChannelId::GetChannelCount(int kind)
{
    return kind == kMch ? kMemoryChannels : 1;
}

int CChannelId::GetStorePosition() const
{
    switch (m_kind) {
    case kVfo:
        return 0;
    case kMch:
        return 1 + m_index;
    default:
        return -1;
    }
}

void CChannelId::Next()
{
    if (++m_index >= GetChannelCount(m_kind)) {
        m_index = 0;
        m_kind = (m_kind + 1) % 3;
    }
}

void CChannelId::Parse(CCommandString& command)
{
    m_kind = kNone;
    m_index = 0;
    if (!EqualsNoCase(command.Field('.', 0), "CH")) {
        return;
    }
    const std::string kindWord = command.Field('.', 1);
    int kind = kNone;
    if (EqualsNoCase(kindWord, "VFO")) {
        kind = kVfo;
    } else if (EqualsNoCase(kindWord, "MCH")) {
        kind = kMch;
    }
    if (kind == kNone) {
        return;
    }
    long long number = 0;
    if (ParseDecimal(command.Field('.', 2), number) && number >= 1 &&
        number <= GetChannelCount(kind)) {
        m_kind = kind;
        m_index = static_cast<int>(number - 1);
    }
    command = command.Rest('.', 3);
}
