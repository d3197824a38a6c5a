#include "clone/clone_operations.h"

#include <ctime>

#include "clone/clone_link.h"
#include "radio/backup_store.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// Records a read brings: one per 16-byte block from 0x0010 to 0x01F0.
constexpr uint32_t kExpectedRecords = 31;
constexpr size_t kCommentChars = 16;

// Restores the wait cursor however the block is left.
class CWaitCursor {
public:
    explicit CWaitCursor(CCloneHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~CWaitCursor() { m_host.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    CCloneHost& m_host;
};

} // namespace

const char* const CCloneOperations::kModelText = "VX-R455NORD";

CCloneOperations::CCloneOperations(CR455Radio& radio, CCloneLink& link, CCloneHost& host,
                                   const CTempFile& transfer)
    : m_radio(radio), m_link(link), m_host(host), m_transfer(transfer)
{
    m_link.SetExpectedFrames(kExpectedRecords);
    RestoreRequestIdentity();
}

CCloneOperations::CReport CCloneOperations::GetReport(EOperation operation, int result)
{
    using EIcon = CCloneHost::EIcon;
    CReport r;
    switch (result) {
    case CCloneLink::kResultOk:
        if (operation != EOperation::Information)
            r.status = LoadResString(IDS_CLONE_COMPLETED);
        if (operation == EOperation::Write) {
            r.box = LoadResString(IDS_CLONE_WRITE_SUCCEEDED);
            r.icon = EIcon::None;
        }
        return r;
    case CCloneLink::kResultCancelled:
        r.status = LoadResString(IDS_CLONE_TERMINATED);
        return r;
    case CCloneLink::kResultIdentity:
        r.status = LoadResString(IDS_CLONE_ILLEGAL_INFO);
        r.box = LoadResString(IDS_CLONE_CANNOT_PROGRAM);
        return r;
    case CCloneLink::kResultPortError:
        r.status = LoadResString(IDS_CLONE_PORT_ERROR);
        r.box = LoadResString(IDS_CLONE_CHECK_PORT);
        return r;
    case CCloneLink::kResultNoAnswer:
        // The link folds a silent transceiver into 77; the entry stays for callers that map
        // results themselves.
        r.status = LoadResString(IDS_CLONE_NO_ANSWER);
        r.box = LoadResString(IDS_CLONE_CHECK_SOFTWARE);
        return r;
    default:
        break;
    }
    switch (operation) {
    case EOperation::Read:
        r.status = LoadResString(IDS_CLONE_READ_FAILED);
        break;
    case EOperation::Write:
        r.status = LoadResString(IDS_CLONE_WRITE_FAILED);
        break;
    case EOperation::Information:
        r.status = LoadResString(IDS_CLONE_ILLEGAL_INFO);
        break;
    }
    r.box = LoadResString(IDS_CLONE_CHECK_SOFTWARE);
    return r;
}

std::string CCloneOperations::CommentText(const unsigned char* comment)
{
    std::string text;
    for (size_t i = 0; i < kCommentChars; ++i) {
        unsigned char c = comment[i];
        if (c < 0x20 || c == 0x7F) {
            text.push_back(' ');
        } else if (c < 0x80) {
            text.push_back(static_cast<char>(c));
        } else {
            text.push_back(static_cast<char>(0xC0 | (c >> 6)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return text;
}

void CCloneOperations::RestoreRequestIdentity()
{
    const ModelInfo* own = m_radio.GetModelInfo();
    m_link.SetModelCode(own->modelCode);
    m_link.SetRevision(own->revision);
}

int CCloneOperations::CheckIdentity()
{
    int result;
    {
        CWaitCursor wait(m_host);
        result = m_link.CloneInfo();
    }
    if (result != CCloneLink::kResultOk)
        return result;
    const ModelInfo* radio = m_link.GetInfo();
    const ModelInfo* own = m_radio.GetModelInfo();
    if (radio->modelCode != own->modelCode || radio->revision != own->revision)
        return CCloneLink::kResultIdentity;
    m_link.SetModelCode(own->modelCode);
    m_link.SetRevision(own->revision);
    return CCloneLink::kResultOk;
}

void CCloneOperations::Finish(EOperation operation, int result)
{
    m_link.SignalResult(result == CCloneLink::kResultOk);
    CReport report = GetReport(operation, result);
    if (!report.status.empty())
        m_host.SetStatusText(report.status);
    if (!report.box.empty())
        m_host.ShowNotice(report.box, report.icon);
}

void CCloneOperations::ReportTransferFileFailure(EOperation operation)
{
    m_link.SignalResult(false);
    m_host.SetStatusText(GetReport(operation, CCloneLink::kResultFailed).status);
    m_host.ShowNotice(LoadResString(IDS_CLONE_TRANSFER_FILE_ERROR), CCloneHost::EIcon::Exclamation);
}

int CCloneOperations::Read()
{
    bool modified = m_isModified ? m_isModified() : m_radio.IsEdited();
    if (modified) {
        std::string question = LoadResString(IDS_CLONE_READ_QUESTION) + "," +
                               LoadResString(IDS_CLONE_DATA_EDITED);
        if (!m_host.AskOkCancel(question))
            return kDeclined;
    }
    // Without a transfer file there is nowhere to put the data: nothing is sent.
    if (!m_transfer.IsValid()) {
        ReportTransferFileFailure(EOperation::Read);
        return CCloneLink::kResultFailed;
    }
    m_link.SetTransferFile(m_transfer.GetPath());

    int result = CheckIdentity();
    if (result == CCloneLink::kResultOk) {
        CWaitCursor wait(m_host);
        result = m_link.CloneIn();
        if (m_link.HasTransferFileFailed()) {
            ReportTransferFileFailure(EOperation::Read);
            return CCloneLink::kResultFailed;
        }
        // Data that do not load (too few records, a damaged record) are a failed read: the
        // document keeps what it had.
        if (result == CCloneLink::kResultOk) {
            if (m_radio.LoadFromFile(m_transfer.GetPath())) {
                if (m_onDataReplaced)
                    m_onDataReplaced();
            } else {
                result = CCloneLink::kResultFailed;
            }
        }
    }
    Finish(EOperation::Read, result);
    if (result == CCloneLink::kResultOk)
        KeepBackup();
    return result;
}

int CCloneOperations::ReadCopy(CR455Radio& copy, CCloneLink& link, CCloneHost& host,
                               const CTempFile& transfer, BackupHook backup)
{
    copy.ResetData();
    CCloneOperations operations(copy, link, host, transfer);
    operations.SetModifiedTest([] { return false; });
    operations.SetBackupHook(std::move(backup));
    return operations.Read();
}

CCloneOperations::BackupHook CCloneOperations::KeepBackupIn(const std::string& folder)
{
    return [folder](CR455Radio& data, std::string& path, std::string& error) {
        CBackupStore store(folder.empty() ? CBackupStore::GetDefaultFolder() : folder);
        return store.Save(data, std::time(nullptr), &path, &error);
    };
}

void CCloneOperations::KeepBackup()
{
    std::string error;
    m_backupPath.clear();
    if (m_backup && !m_backup(m_radio, m_backupPath, error)) {
        m_backupPath.clear();
        m_host.WarnBackupNotSaved(error);
    }
}

int CCloneOperations::Write()
{
    if (!m_host.AskOkCancel(LoadResString(IDS_CLONE_WRITE_QUESTION)))
        return kDeclined;
    if (!m_transfer.IsValid()) {
        ReportTransferFileFailure(EOperation::Write);
        return CCloneLink::kResultFailed;
    }
    m_link.SetTransferFile(m_transfer.GetPath());

    int result = CheckIdentity();
    if (result == CCloneLink::kResultOk) {
        CWaitCursor wait(m_host);
        // The data go to the transceiver only as the engine saved them; a file that could not
        // be written is never sent in part.
        if (!m_radio.SaveToFile(m_transfer.GetPath())) {
            ReportTransferFileFailure(EOperation::Write);
            return CCloneLink::kResultFailed;
        }
        m_link.SetTransferFile(m_transfer.GetPath());
        result = m_link.CloneOut();
        if (m_link.HasTransferFileFailed()) {
            ReportTransferFileFailure(EOperation::Write);
            return CCloneLink::kResultFailed;
        }
    }
    Finish(EOperation::Write, result);
    return result;
}

int CCloneOperations::Information()
{
    int result = CheckIdentity();
    if (result == CCloneLink::kResultOk) {
        m_link.SignalResult(true);
        m_host.ShowInformation(kModelText, CommentText(m_link.GetInfo()->comment));
    } else {
        Finish(EOperation::Information, result);
    }
    RestoreRequestIdentity();
    return result;
}
