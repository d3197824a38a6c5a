#include "web/web_document.h"

#include <cstdio>
#include <fstream>

#include "engine/engine_words.h"
#include "radio/air_channel.h"
#include "radio/channel_order.h"
#include "radio/document_io.h"
#include "radio/entry_notes.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "sim/sim_transceiver.h"
#include "text/text_util.h"
#include "web/page_backups.h"

namespace {

// The page's own file of the open data set: the archive reads files by their path.
const char kOpenedFile[] = "/tmp/opened.qrb";

} // namespace

CWebDocument::CWebDocument()
    : m_history(m_radio), m_edits(m_radio), m_station(m_radio, m_host, m_clock)
{
    m_station.Link().SetClock(m_clock);
    // Backups of reads are the page's storage's, not a folder's.
    m_station.Operations().SetBackupHook(PageBackupHook(m_host));
    m_station.Operations().SetModifiedTest([this] { return IsEdited(); });
    m_station.Operations().SetDataReplacedHandler([this] { m_replaced = true; });
    New();
}

CWebDocument::~CWebDocument() = default;

void CWebDocument::New()
{
    m_radio.ResetData();
    m_history.Clear();
    m_name = LoadResString(IDS_UNTITLED);
    m_copyTitle.clear();
    m_replaced = false;
}

std::string CWebDocument::Open(const std::string& name, const std::string& bytes)
{
    {
        std::ofstream file(kOpenedFile, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string detail;
    const std::string answer = OpenDocument(m_radio, kOpenedFile, &detail);
    std::remove(kOpenedFile);
    if (answer == EngineWord::kOk) {
        m_history.Clear();
        m_name = name;
        m_copyTitle.clear();
        m_replaced = false;
        return "";
    }
    const std::string reason = DescribeOpenFailure(answer, detail);
    const bool unreadable = answer == "CANNOT_OPEN_FILE" || !IsResultWord(answer);
    return FormatPercentS(LoadResString(unreadable ? IDS_APP_CANNOT_OPEN : IDS_APP_UNEXPECTED_FORMAT),
                        {name, reason});
}

std::string CWebDocument::OpenBackup(const std::string& name, const std::string& bytes)
{
    std::string failure = Open(name, bytes);
    if (failure.empty())
        m_copyTitle = FormatPercentS(LoadResString(IDS_BACKUP_COPY_TITLE), {name});
    return failure;
}

bool CWebDocument::Format(std::string& bytes, std::string& error)
{
    return FormatDocument(m_radio, bytes, error);
}

void CWebDocument::Saved(const std::string& name)
{
    m_radio.SetEdited(false);
    m_history.MarkSaved();
    m_name = name;
    m_copyTitle.clear();
    m_replaced = false;
}

std::string CWebDocument::Title()
{
    return MakeDocumentTitle(m_copyTitle.empty() ? m_name : m_copyTitle, IsEdited(),
                             IsSimulating());
}

std::string CWebDocument::EditChannel(unsigned ch, const std::string& name,
                                      const std::string& frequency, bool txInhibit, bool lockout)
{
    // As Edit Memory's OK: a decimal comma read as the point, and a text that is no frequency
    // sent as none.
    std::string sent = EngineFrequencyText(frequency);
    CChannelEntry typed{ch, true, sent, true, name};
    if (!IsUsableFrequencyText(sent))
        sent.clear();
    CUndoStep step(m_history, UndoStepName(IDS_STEP_EDIT, ch));
    m_edits.Write(ch, {name, txInhibit, lockout, sent});
    const bool stepped = step.Finish();
    return JoinNotes(ExplainChannelEntry(m_radio, typed, stepped));
}

std::string CWebDocument::ApplySettings(const CRadioSettings& settings, bool ok)
{
    std::string note;
    {
        CUndoStep step(m_history, UndoStepName(IDS_STEP_SETTINGS));
        if (ok) {
            note = settings.ApplyCommon(m_radio);
            settings.ApplyAdvanced(m_radio);
            m_radio.SetEdited(true);
        }
        // The channel spacing moves frequencies onto its grid.
        m_radio.Heal();
    }
    return note;
}

bool CWebDocument::Simulate()
{
    if (m_sim)
        return true;
    auto sim = std::make_unique<CSimTransceiver>();
    if (!sim->StartStepped(CSimTransceiver::ELine::InMemory))
        return false;
    m_sim = sim.get();
    m_clock.Drive(m_sim);
    m_station.Simulate(std::move(sim));
    return true;
}

int CWebDocument::Read()
{
    // A read that fails or is declined leaves the data as they were and adds no step.
    CUndoStep step(m_history, UndoStepName(IDS_STEP_CLONE_READ));
    return m_station.Operations().Read();
}

int CWebDocument::Write()
{
    return m_station.Operations().Write();
}

int CWebDocument::Information()
{
    return m_station.Operations().Information();
}

CWebDocument& PageDocument()
{
    static CWebDocument document;
    return document;
}
