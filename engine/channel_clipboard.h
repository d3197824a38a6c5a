#pragma once

#include <memory>

class CMemoryChannel;

// The one-channel buffer of the channel copy and paste commands. Empty until the first copy;
// nothing empties it again, so a copied channel survives INITIALIZE and file loading.
class CChannelClipboard {
public:
    // !!! Type numbers of the clipboard contents. !!!
    enum EType {
        kEmpty = 0,    // "EMPTY": nothing copied yet
        kMemoryCh = 1, // "MEMORY_CH": holds a channel
    };

    CChannelClipboard();
    virtual ~CChannelClipboard();

    CChannelClipboard(const CChannelClipboard&) = delete;
    CChannelClipboard& operator=(const CChannelClipboard&) = delete;

    int GetType() const { return m_type; }
    // Releases the channel held before; the type becomes MEMORY_CH.
    void SetChannel(std::unique_ptr<CMemoryChannel> channel);
    // Null while the clipboard is empty.
    CMemoryChannel* GetChannel() { return m_channel.get(); }

private:
    int m_type = kEmpty;
    std::unique_ptr<CMemoryChannel> m_channel;
};
