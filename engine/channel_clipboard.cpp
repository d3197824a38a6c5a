#include "engine/channel_clipboard.h"

#include "engine/memory_channel.h"

CChannelClipboard::CChannelClipboard() = default;

CChannelClipboard::~CChannelClipboard() = default;

void CChannelClipboard::SetChannel(std::unique_ptr<CMemoryChannel> channel)
{
    m_channel = std::move(channel);
    m_type = m_channel ? kMemoryCh : kEmpty;
}
