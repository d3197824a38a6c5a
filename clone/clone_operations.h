#pragma once

// The document's three clone commands, Read From Transceiver, Write to Transceiver and Read
// Information, without any user interface of their own: each checks the transceiver's identity,
// runs the clone link and reports its result through the host as a status text, a message box
// and a sound. The desktop document and the command-line tool both drive them.

#include <functional>
#include <string>

#include "clone/clone_host.h"

class CCloneLink;
class CR455Radio;
class CTempFile;

class CCloneOperations {
public:
    enum class EOperation { Read, Write, Information };

    // Returned by Read and Write when the user did not confirm; nothing was done.
    static constexpr int kDeclined = -1;

    // How one result is reported: the status text (empty: none) and the message box
    // (empty: none) with its icon.
    struct CReport {
        std::string status;
        std::string box;
        CCloneHost::EIcon icon = CCloneHost::EIcon::Exclamation;
    };

    // The result table. A result the table does not list gets the "any other" row.
    static CReport GetReport(EOperation operation, int result);

    // The model text the Information dialog shows.
    static const char* const kModelText;

    // All four are borrowed and must outlive this object. `transfer` is the clone transfer file
    // ("cl" temporary file) the document owns.
    CCloneOperations(CR455Radio& radio, CCloneLink& link, CCloneHost& host,
                     const CTempFile& transfer);

    // The document's modified test (its own flag or the radio's edit flag). Without one, the
    // radio data object's IsEdited decides.
    void SetModifiedTest(std::function<bool()> test) { m_isModified = std::move(test); }

    // Called after a read has replaced the data: the document marks itself modified and
    // updates its views.
    void SetDataReplacedHandler(std::function<void()> handler)
    {
        m_onDataReplaced = std::move(handler);
    }

    // What a successful read does with the data it brought once it has reported: keeps them as
    // a backup copy, so that a transceiver's contents are never lost to a later write. Every
    // front end gets KeepBackupIn() without asking. The hook returns false, with the reason,
    // when the copy could not be saved; the read still succeeds and the host is told
    // (WarnBackupNotSaved). It gives the copy's path, where it has one. An empty hook keeps no
    // copy.
    using BackupHook = std::function<bool(CR455Radio& data, std::string& path, std::string& error)>;
    void SetBackupHook(BackupHook hook) { m_backup = std::move(hook); }
    // A backup copy in `folder`; when that is empty, in the user's backup folder as it is at
    // the time of the read.
    static BackupHook KeepBackupIn(const std::string& folder = std::string());
    // The backup copy of the last successful read; "" when none was kept.
    const std::string& GetBackupPath() const { return m_backupPath; }

    // Each returns the clone result code (0, 1, 77, 80, 85, 91) or kDeclined.
    int Read();
    int Write();
    int Information();

    // Compare with Transceiver's read: the transceiver's data into `copy`, a data set of its own
    // (identity check, read and backup as Read does them), so that the document stays as it
    // was; there is nothing to ask about edits. Returns the clone result.
    static int ReadCopy(CR455Radio& copy, CCloneLink& link, CCloneHost& host,
                        const CTempFile& transfer, BackupHook backup = KeepBackupIn());

    // Information run and comparison with the data's model code and revision: 0 when they
    // match (and the link's request bytes are set from the data), 85 when they differ, or the
    // failed run's result.
    int CheckIdentity();

    // The first 16 comment bytes of the transceiver information as display text (UTF-8; bytes
    // above 0x7F taken as Latin-1, control bytes shown as blanks).
    static std::string CommentText(const unsigned char* comment);

private:
    void Finish(EOperation operation, int result);
    void KeepBackup();
    void ReportTransferFileFailure(EOperation operation);
    void RestoreRequestIdentity();

    CR455Radio& m_radio;
    CCloneLink& m_link;
    CCloneHost& m_host;
    const CTempFile& m_transfer;
    std::function<bool()> m_isModified;
    std::function<void()> m_onDataReplaced;
    BackupHook m_backup = KeepBackupIn();
    std::string m_backupPath;
};
