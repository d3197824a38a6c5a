#include "engine/channel_store.h"

#include "engine/channel_clipboard.h"
#include "engine/command_string.h"
#include "engine/frequency_band.h"

namespace {

enum EOperation { kNoOperation, kHeal, kIsLegal, kCopy, kPaste, kInsert, kDelete, kClear };

EOperation FindOperation(const std::string& word)
{
    static const struct {
        const char* word;
        EOperation operation;
    } kOperations[] = {{"Heal", kHeal},   {"IsLegal", kIsLegal}, {"Copy", kCopy},
                       {"Paste", kPaste}, {"Insert", kInsert},   {"Delete", kDelete},
                       {"Clear", kClear}};
    for (const auto& entry : kOperations) {
        if (EqualsNoCase(word, entry.word)) {
            return entry.operation;
        }
    }
    return kNoOperation;
}

void FillOffOn(CValueList& list, uint16_t offCode, uint16_t onCode)
{
    list.Resize(2);
    list.SetName(0, "OFF");
    list.SetCode(0, offCode);
    list.SetName(1, "ON");
    list.SetCode(1, onCode);
    list.SetDefaultIndex(0);
}

const int kLastChannel = CChannelId::kMemoryChannels;

// Reads the channel part of a CH command and removes it from `command`, and what follows: an
// operation with its CHECK flag, or none for a field command. False for any other command.
bool ParseChannelCommand(CCommandString& command, CChannelId& id, EOperation& operation,
                         bool& check)
{
    id.Parse(command);
    if (id.IsNone()) {
        return false;
    }
    const CCommandString left(command.Field("=", 0));
    operation = FindOperation(left.Field(".", 0));
    check = EqualsNoCase(left.Field(".", 1), "CHECK");
    return true;
}

size_t StorePosition(const CChannelId& id)
{
    const int position = id.GetStorePosition();
    return static_cast<size_t>(position < 0 ? 0 : position);
}

} // namespace

CChannelStore::CChannelStore(const CFrequencyBand* band, CChannelClipboard* clipboard)
    : m_band(band), m_clipboard(clipboard)
{
    // !!! Codes stored in the channel record: APPEAR is stored inverted. !!!
    FillOffOn(m_appearList, 1, 0);
    FillOffOn(m_lockoutList, 0, 1);
    FillOffOn(m_txList, 0, 1);
    m_lists.appear = &m_appearList;
    m_lists.lockout = &m_lockoutList;
    m_lists.txInhibit = &m_txList;

    CChannelId id;
    for (id.Next(); !id.IsNone(); id.Next()) {
        m_channels[static_cast<size_t>(id.GetStorePosition())].reset(
            new CMemoryChannel(m_band, id, m_lists));
    }
}

CChannelStore::~CChannelStore() = default;

CMemoryChannel& CChannelStore::GetChannel(const CChannelId& id)
{
    return *m_channels[StorePosition(id)];
}

const CMemoryChannel& CChannelStore::GetChannel(const CChannelId& id) const
{
    return *m_channels[StorePosition(id)];
}

void CChannelStore::SyncChannel(const CChannelId& id, CCloneImage& image)
{
    CMemoryChannel& channel = GetChannel(id);
    channel.Sync(channel.IsLoaded() ? 1 : 0, image);
}

void CChannelStore::ResetLoaded()
{
    for (auto& channel : m_channels) {
        channel->SetLoaded(0);
    }
}

std::string CChannelStore::Execute(CCommandString& command)
{
    CChannelId id;
    EOperation operation = kNoOperation;
    bool check = false;
    if (!ParseChannelCommand(command, id, operation, check)) {
        return std::string();
    }
    CMemoryChannel& channel = GetChannel(id);
    const std::string answer = operation == kNoOperation ? channel.Execute(command.GetText())
                                                         : RunOperation(operation, channel, check);
    if (!answer.empty()) {
        command.Clear();
    }
    return answer;
}

std::string CChannelStore::Query(CCommandString& command) const
{
    CChannelId id;
    EOperation operation = kNoOperation;
    bool check = false;
    if (!ParseChannelCommand(command, id, operation, check)) {
        return std::string();
    }
    const CMemoryChannel& channel = GetChannel(id);
    std::string answer;
    if (operation == kNoOperation) {
        answer = channel.Query(command.GetText());
    } else if (operation == kIsLegal) {
        answer = IsLegal(channel.IsBlank() ? 0 : channel.GetFrequency());
    }
    if (!answer.empty()) {
        command.Clear();
    }
    return answer;
}

std::string CChannelStore::IsLegal(int32_t hertz) const
{
    return m_band->Contains(hertz) ? "OK" : "NG";
}

bool CChannelStore::IsInUse(CMemoryChannel& channel)
{
    return channel.Execute("APPEAR") == "ON";
}

void CChannelStore::Blank(CMemoryChannel& channel)
{
    channel.Execute("APPEAR=OFF");
    channel.Heal(0);
}

std::string CChannelStore::RunOperation(int operation, CMemoryChannel& channel, bool check)
{
    switch (operation) {
    case kHeal:
        channel.Heal(0);
        return "OK";
    case kIsLegal:
        return IsLegal(channel.GetFrequency());
    case kCopy:
        if (!check) {
            std::unique_ptr<CMemoryChannel> copy(
                new CMemoryChannel(m_band, channel.GetId(), m_lists));
            copy->CopyFrom(channel);
            m_clipboard->SetChannel(std::move(copy));
        }
        return "OK";
    case kPaste:
        return Paste(channel, check);
    case kInsert:
        return Insert(channel, check);
    case kDelete:
        return Delete(channel, check);
    case kClear:
        if (!channel.IsMovable()) {
            return "NG";
        }
        if (!check) {
            Blank(channel);
        }
        return "OK";
    default:
        return std::string();
    }
}

std::string CChannelStore::Paste(CMemoryChannel& channel, bool check)
{
    CMemoryChannel* source = m_clipboard->GetChannel();
    if (m_clipboard->GetType() != CChannelClipboard::kMemoryCh || source == nullptr) {
        return "NG";
    }
    if (!IsInUse(*source) && !channel.IsMovable()) {
        return "NG";
    }
    if (check) {
        return IsInUse(channel) ? "WARNING" : "OK";
    }
    channel.CopyFrom(*source);
    return "OK";
}

std::string CChannelStore::Insert(CMemoryChannel& channel, bool check)
{
    if (!channel.IsMovable()) {
        return "NG";
    }
    if (check) {
        return IsInUse(GetChannelAt(kLastChannel)) ? "WARNING" : "OK";
    }
    const int n = channel.GetId().GetStorePosition();
    for (int i = kLastChannel; i > n; --i) {
        GetChannelAt(i).CopyFrom(GetChannelAt(i - 1));
    }
    Blank(channel);
    return "OK";
}

std::string CChannelStore::Delete(CMemoryChannel& channel, bool check)
{
    if (!channel.IsMovable()) {
        return "NG";
    }
    if (check) {
        return IsInUse(channel) ? "WARNING" : "OK";
    }
    const int n = channel.GetId().GetStorePosition();
    for (int i = n; i < kLastChannel; ++i) {
        GetChannelAt(i).CopyFrom(GetChannelAt(i + 1));
    }
    Blank(GetChannelAt(kLastChannel));
    return "OK";
}
