#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/command_handler.h"
#include "engine/memory_channel.h"
#include "engine/value_list.h"

class CChannelClipboard;
class CCloneImage;
class CCommandString;
class CFrequencyBand;

// The 21 channels of the transceiver (the VFO channel at position 0, memory channel n at
// position n) and the handler of every "CH." command: field commands go to the channel, list
// operations (Heal, IsLegal, Copy, Paste, Insert, Delete, Clear and their .CHECK forms) run here.
class CChannelStore : public CCommandHandler {
public:
    // Band and clipboard belong to the engine and must outlive the store.
    CChannelStore(const CFrequencyBand* band, CChannelClipboard* clipboard);
    ~CChannelStore() override;

    CChannelStore(const CChannelStore&) = delete;
    CChannelStore& operator=(const CChannelStore&) = delete;

    // For CH.VFO.n. and CH.MCH.n. commands the channel part is removed from the command, and a
    // non-empty answer clears the command, so that the handlers after this one see only what
    // is left of it.
    std::string Execute(CCommandString& command) override;
    // Field queries and IsLegal; the operations, also their .CHECK forms, are left to Execute.
    std::string Query(CCommandString& command) const override;

    CMemoryChannel& GetChannel(const CChannelId& id);
    const CMemoryChannel& GetChannel(const CChannelId& id) const;
    CMemoryChannel& GetChannelAt(int position)
    {
        return *m_channels[static_cast<size_t>(position)];
    }
    // Syncs the channel in the direction of its loaded flag (0 decodes, 1 encodes).
    void SyncChannel(const CChannelId& id, CCloneImage& image);
    void ResetLoaded();

private:
    std::string RunOperation(int operation, CMemoryChannel& channel, bool check);
    // "OK" for a frequency inside the band, "NG" otherwise.
    std::string IsLegal(int32_t hertz) const;
    std::string Paste(CMemoryChannel& channel, bool check);
    std::string Insert(CMemoryChannel& channel, bool check);
    std::string Delete(CMemoryChannel& channel, bool check);
    void Blank(CMemoryChannel& channel);
    bool IsInUse(CMemoryChannel& channel);

    const CFrequencyBand* m_band;
    CChannelClipboard* m_clipboard;
    CValueList m_appearList;
    CValueList m_lockoutList;
    CValueList m_txList;
    CChannelLists m_lists;
    std::array<std::unique_ptr<CMemoryChannel>, CChannelId::kStoreSize> m_channels;
};
