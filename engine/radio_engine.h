#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CChannelClipboard;
class CChannelStore;
class CCloneImage;
class CCommandHandler;
class CCommandString;
class CFrequencyBand;
class CSettingTable;

// The radio data engine: owns the 512-byte working image and everything that interprets it, and
// is driven by text commands alone ("HEAL", "EDIT_FLAG=OFF", "COMMON.BEEP=ON", ...). Execute never
// throws; a command that no handler knows answers an empty string.
//
// Dispatch: the engine's own commands (HEAL, INITIALIZE, EDIT_FLAG, FILE.SAVE, FILE.LOAD), then
// the channel store (CH.), then the setting table (COMMON.); the first non-empty answer wins.
class CRadioEngine {
public:
    CRadioEngine();
    virtual ~CRadioEngine();

    CRadioEngine(const CRadioEngine&) = delete;
    CRadioEngine& operator=(const CRadioEngine&) = delete;

    std::string Execute(const std::string& command);
    std::string Execute(const char* command);
    // A query that changes nothing, answered as Execute answers it: the field queries of the
    // channels (CH.MCH.3.FREQUENCY, CH.MCH.3.ALL), their IsLegal, and the settings' queries
    // (COMMON.BEEP). Any command that would change something answers empty and is not run: a
    // value part, a channel operation (also its .CHECK form), and the engine's own commands,
    // even the EDIT_FLAG query, which heals. A blank channel answers a frequency of 0, as after
    // the APPEAR query that Execute would clear its frequency with.
    std::string Query(const std::string& command) const;

    // The working image, read-only; for tests and diagnostics. Callers change it only through
    // commands.
    const CCloneImage& GetImage() const;

    // Takes `size` bytes as the working image and rebuilds the settings and channels from them,
    // as FILE.LOAD does with the bytes of a file; the edit flag is left as it is. Refused
    // (false, nothing changed) unless exactly the image size is given. Undo and redo restore a
    // data set this way.
    bool LoadImage(const uint8_t* bytes, size_t size);

private:
    class CTopLevelHandler;

    std::string ExecuteTopLevel(CCommandString& command);
    // Rebuilds the working image from the settings and channels onto the default image.
    void Heal(int safety);
    void ResetLoaded();
    // Decodes every setting and channel afresh from the working image and heals it.
    void DecodeAll();
    std::string EditFlag(const std::string& value);
    std::string Save(const CCommandString& key);
    std::string Load(const CCommandString& key);

    std::unique_ptr<CFrequencyBand> m_band;
    std::unique_ptr<CChannelClipboard> m_clipboard;
    std::unique_ptr<CCloneImage> m_workingImage;
    std::unique_ptr<CCloneImage> m_referenceImage;
    std::unique_ptr<CSettingTable> m_settings;
    std::unique_ptr<CChannelStore> m_channels;
    std::unique_ptr<CTopLevelHandler> m_topLevel;
    int m_editFlag = 0;
    // The handlers in the order the dispatcher asks them.
    CCommandHandler* m_handlers[3] = {};
};
