#pragma once

#include <memory>
#include <string>

#include "engine/channel_id.h"

class CCloneImage;
class CFrequencyBand;
class CFrequencyValue;
class CListValue;
class CTextValue;
class CValueList;

// The three word lists a channel's flags choose from; owned by the channel store and shared by
// all channels and the clipboard's channel.
struct CChannelLists {
    const CValueList* appear = nullptr;    // "OFF" code 1, "ON" code 0
    const CValueList* lockout = nullptr;   // "OFF" code 0, "ON" code 1
    const CValueList* txInhibit = nullptr; // "OFF" code 0, "ON" code 1
};

// One channel as a value object: frequency, 7-character name, Tx inhibit, lockout and APPEAR
// (in use). Field commands change only the object; the engine's heal moves it to and from its
// 16-byte record in the image.
class CMemoryChannel {
public:
    // !!! Channel record layout in the transceiver image. DO NOT CHANGE. !!!
    static constexpr uint32_t kVfoRecord = 0x50;
    static constexpr uint32_t kFirstMemoryRecord = 0x60;
    static constexpr uint32_t kRecordSize = 16;
    static constexpr uint32_t kFlagsOffset = 3;
    static constexpr uint32_t kNameOffset = 5;
    static constexpr int kNameLength = 7;
    static constexpr int kTxInhibitBit = 7;
    static constexpr int kLockoutBit = 6;
    static constexpr int kNamePresentBit = 5;

    CMemoryChannel(const CFrequencyBand* band, const CChannelId& id, const CChannelLists& lists);
    virtual ~CMemoryChannel();

    CMemoryChannel(const CMemoryChannel&) = delete;
    CMemoryChannel& operator=(const CMemoryChannel&) = delete;

    // FIELD[.ACCESS][=VALUE] with FIELD one of APPEAR, FREQUENCY, NAME, TXINHIBIT, CHLOCKOUT,
    // ALL; an empty answer for any other field word.
    std::string Execute(const std::string& command);
    // The same for a query alone: a change is not made and answers empty. Where Execute's APPEAR
    // query would clear the frequency of a blank channel, this one answers as if it had: a blank
    // channel has no frequency.
    std::string Query(const std::string& command) const;

    // Takes the source's values, then heals with this channel's own identity. Identity and
    // loaded flag are kept.
    void CopyFrom(CMemoryChannel& source);
    // Normalises the channel and clamps and snaps its frequency; with safety, a channel left
    // outside the band loses its loaded flag.
    void Heal(int safety);
    // Direction 0 decodes from the record, 1 encodes into it; the loaded flag becomes 1.
    void Sync(int direction, CCloneImage& image);

    const CChannelId& GetId() const { return m_id; }
    // APPEAR is "OFF".
    bool IsBlank() const;
    bool IsMovable() const { return m_id.IsMovable(); }
    int IsLoaded() const { return m_loaded; }
    void SetLoaded(int loaded) { m_loaded = loaded; }
    uint32_t GetRecordAddress() const;
    int32_t GetFrequency() const;

private:
    std::string ExecuteField(const std::string& command, int depth);
    std::string ExecuteAll(const std::string& value, int depth);
    std::string QueryAll() const;
    void Decode(const CCloneImage& image);
    void Encode(CCloneImage& image);

    const CFrequencyBand* m_band;
    CChannelId m_id;
    int m_loaded = 0;
    std::unique_ptr<CFrequencyValue> m_frequency;
    std::unique_ptr<CListValue> m_appear;
    std::unique_ptr<CListValue> m_txInhibit;
    std::unique_ptr<CListValue> m_lockout;
    std::unique_ptr<CTextValue> m_name;
};
