#pragma once

class CCommandString;

// Names one channel of the transceiver: the VFO channel or memory channels 1 to 20.
class CChannelId {
public:
    // !!! Kind numbers and words are part of the channel commands. DO NOT CHANGE. !!!
    enum EKind {
        kNone = 0, // "NONE"
        kVfo = 1,  // "VFO": one channel, store position 0
        kMch = 2,  // "MCH": memory channels 1 to 20, store positions 1 to 20
    };
    static constexpr int kMemoryChannels = 20;
    // The VFO channel and the memory channels.
    static constexpr int kStoreSize = 1 + kMemoryChannels;

    CChannelId() = default;
    // A kind outside 0 to 2 becomes VFO.
    CChannelId(int kind, int index);
    virtual ~CChannelId() = default;

    int GetKind() const { return m_kind; }
    int GetIndex() const { return m_index; }
    bool IsNone() const { return m_kind == kNone; }
    // Memory channels other than channel 1 can be cleared, deleted, inserted at and receive a
    // blank channel.
    bool IsMovable() const { return m_kind == kMch && m_index > 0; }
    // 0 for the VFO channel, n for memory channel n, -1 for none.
    int GetStorePosition() const;

    // From NONE: the VFO channel, memory channels 1 to 20, then NONE again.
    void Next();

    // Reads "CH.KIND.N." from the front of a command. For the kinds VFO and MCH the channel part
    // is removed from the command whether or not N names a channel; the id is NONE unless it
    // does.
    void Parse(CCommandString& command);

    static int GetChannelCount(int kind);

private:
    int m_kind = kNone;
    int m_index = 0;
};
