#include "engine/radio_engine.h"

#include "engine/channel_clipboard.h"
#include "engine/channel_store.h"
#include "engine/clone_data_file.h"
#include "engine/clone_image.h"
#include "engine/command_handler.h"
#include "engine/command_string.h"
#include "engine/frequency_band.h"
#include "engine/setting_table.h"

// The engine's own commands as the first handler of the dispatcher.
class CRadioEngine::CTopLevelHandler : public CCommandHandler {
public:
    explicit CTopLevelHandler(CRadioEngine& engine) : m_engine(engine) {}
    std::string Execute(CCommandString& command) override
    {
        return m_engine.ExecuteTopLevel(command);
    }
    // Each of the engine's own commands changes the data or heals them.
    std::string Query(CCommandString&) const override { return std::string(); }

private:
    CRadioEngine& m_engine;
};

namespace {

// The double-quote character that encloses a file path inside a command.
const char kQuote = '"';

// Asks the handlers in order; the first non-empty answer wins. No handler throws for bad input;
// only running out of memory could get here, and callers rely on an answer, so it is reported
// as an unknown command.
template <class THandlers, class TAsk>
std::string AskInOrder(const THandlers& handlers, const char* command, TAsk ask)
{
    try {
        CCommandString text(command);
        for (auto* handler : handlers) {
            std::string answer = ask(*handler, text);
            if (!answer.empty()) {
                return answer;
            }
        }
    } catch (...) {
    }
    return std::string();
}

} // namespace

CRadioEngine::CRadioEngine()
    : m_band(new CFrequencyBand), m_clipboard(new CChannelClipboard),
      m_workingImage(new CCloneImage(1)), m_referenceImage(new CCloneImage(1)),
      m_settings(new CSettingTable), m_channels(new CChannelStore(m_band.get(), m_clipboard.get())),
      m_topLevel(new CTopLevelHandler(*this))
{
    m_workingImage->Resize(CCloneImage::kImageSize);
    m_band->SetSettingTable(m_settings.get());
    m_handlers[0] = m_topLevel.get();
    m_handlers[1] = m_channels.get();
    m_handlers[2] = m_settings.get();
    m_band->Reset();
    // Decodes everything from the all-zero image, heals it onto the default image and takes
    // that as the reference: a new engine reports no changes.
    Execute("EDIT_FLAG=OFF");
}

CRadioEngine::~CRadioEngine()
{
    // The clipboard's channel uses the word lists of the store; release it first.
    m_clipboard.reset();
    m_workingImage.reset();
    m_referenceImage.reset();
    m_channels.reset();
    m_settings.reset();
    m_band.reset();
}

const CCloneImage& CRadioEngine::GetImage() const
{
    return *m_workingImage;
}

bool CRadioEngine::LoadImage(const uint8_t* bytes, size_t size)
{
    if (!bytes || size != CCloneImage::kImageSize) {
        return false;
    }
    m_workingImage->WriteBlock(0, bytes, CCloneImage::kImageSize);
    DecodeAll();
    return true;
}

std::string CRadioEngine::Execute(const char* command)
{
    return AskInOrder(m_handlers, command, [](CCommandHandler& handler, CCommandString& text) {
        return handler.Execute(text);
    });
}

std::string CRadioEngine::Execute(const std::string& command)
{
    // Commands are C strings: a NUL character ends the command.
    return Execute(command.c_str());
}

std::string CRadioEngine::Query(const std::string& command) const
{
    return AskInOrder(m_handlers, command.c_str(),
                      [](const CCommandHandler& handler, CCommandString& text) {
                          return handler.Query(text);
                      });
}

std::string CRadioEngine::ExecuteTopLevel(CCommandString& command)
{
    const CCommandString key(command.Field('=', 0));
    const std::string head = key.Field('.', 0);
    if (EqualsNoCase(head, "HEAL")) {
        Heal(0);
        return "OK";
    }
    if (EqualsNoCase(head, "INITIALIZE")) {
        ResetLoaded();
        m_workingImage->LoadDefault();
        Heal(0);
        return "OK";
    }
    if (EqualsNoCase(head, "EDIT_FLAG")) {
        return EditFlag(command.Field('=', 1));
    }
    if (EqualsNoCase(head, "File")) {
        const std::string verb = key.Field('.', 1);
        if (EqualsNoCase(verb, "Save")) {
            return Save(key);
        }
        if (EqualsNoCase(verb, "Load")) {
            return Load(key);
        }
    }
    return std::string();
}

void CRadioEngine::ResetLoaded()
{
    m_channels->ResetLoaded();
    m_settings->ResetLoaded();
}

void CRadioEngine::DecodeAll()
{
    ResetLoaded();
    Heal(0);
}

void CRadioEngine::Heal(int safety)
{
    CCloneImage& image = *m_workingImage;
    // Decode what is not yet loaded, encode what is: the image then holds every change.
    for (int position = 0; position < CChannelId::kStoreSize; ++position) {
        CMemoryChannel& channel = m_channels->GetChannelAt(position);
        channel.Sync(channel.IsLoaded() ? 1 : 0, image);
    }
    m_settings->Sync(image);

    // Rebuild onto the default image, so bytes that nothing covers return to their defaults.
    image.LoadDefault();
    // The VFO channel is not kept: it is decoded afresh from the default image.
    CMemoryChannel& vfo = m_channels->GetChannelAt(0);
    vfo.SetLoaded(0);
    vfo.Sync(0, image);
    for (int position = 0; position < CChannelId::kStoreSize; ++position) {
        CMemoryChannel& channel = m_channels->GetChannelAt(position);
        channel.Heal(safety);
        channel.Sync(channel.IsLoaded() ? 1 : 0, image);
    }
    // Settings last: VFOTX_INHIBIT, not the VFO record, decides bit 7 of 0x53.
    m_settings->SyncAll(1, image);
}

std::string CRadioEngine::EditFlag(const std::string& value)
{
    if (EqualsNoCase(value, "OFF")) {
        Execute("HEAL");
        m_referenceImage->CopyFrom(*m_workingImage);
        m_editFlag = 0;
    } else if (EqualsNoCase(value, "ON")) {
        m_editFlag = 1;
    }
    if (m_editFlag) {
        return "ON";
    }
    Execute("HEAL");
    // Sticky: once a difference has been seen the flag stays on until EDIT_FLAG=OFF.
    m_editFlag = m_workingImage->Differs(*m_referenceImage) ? 1 : 0;
    return m_editFlag ? "ON" : "OFF";
}

std::string CRadioEngine::Save(const CCommandString& key)
{
    const bool withSafety = EqualsNoCase(key.Field('.', 2), "WithSafety");
    const CCommandString rest(key.Rest('.', withSafety ? 3 : 2));
    const std::string path = rest.Field(kQuote, 1);

    CCloneImage saved;
    if (withSafety) {
        saved.CopyFrom(*m_workingImage);
        Heal(1);
    } else {
        Heal(0);
    }
    const std::string result = CCloneDataFile::Save(path, *m_workingImage,
                                                    Execute("COMMON.CLONE_COMMENT"));
    if (withSafety) {
        // The settings and channels keep what the safety heal left them.
        m_workingImage->CopyFrom(saved);
    }
    return result;
}

std::string CRadioEngine::Load(const CCommandString& key)
{
    const CCommandString rest(key.Rest('.', 2));
    const std::string result = CCloneDataFile::Load(rest.Field(kQuote, 1), *m_workingImage);
    if (result == "OK") {
        DecodeAll();
    }
    return result;
}
