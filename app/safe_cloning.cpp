#include "app/safe_cloning.h"

#include <filesystem>

#include <wx/frame.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/compare_dlg.h"
#include "app/connection_check_dlg.h"
#include "app/doc_manager.h"
#include "app/file_dialogs.h"
#include "app/gui_clone_host.h"
#include "app/pwr455_doc.h"
#include "clone/cable_finder.h"
#include "clone/clone_host.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/connection_doctor.h"
#include "radio/backup_store.h"
#include "exchange/data_differences.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

CPWR455Doc* Document()
{
    return GetOpenDocument();
}

std::vector<CDoctorFinding> RunConnectionChecks(CPWR455Doc& doc, const std::string& port)
{
    CCloneHost& host = doc.GetCloneHost();
    wxBusyCursor wait;
    host.SetStatusText(LoadResString(IDS_CONNECTION_CHECKING));
    const CConnectionDoctor doctor("/", CDoctorUser::Current());
    std::vector<CDoctorFinding> findings = doctor.CheckAll(port);
    // The desktop program chooses ports in a dialog, not with the tool's option.
    const std::string toolFix = LoadResString(IDS_DOCTOR_CHOOSE_PORT_FIX);
    for (CDoctorFinding& finding : findings) {
        if (finding.fix == toolFix)
            finding.fix = LoadResString(IDS_DOCTOR_CHOOSE_PORT_IN_DIALOG);
    }
    // A port that is not there has been reported; a run on it could only fail to open it.
    if (doctor.PortExists(port))
        findings.push_back(
            CConnectionDoctor::RunInformation(host, doc.GetCloneLink().GetClock(), port, nullptr));
    host.SetStatusText(LoadResString(IDS_IDLE_MESSAGE));
    return findings;
}

} // namespace

int CompareWithTransceiver(CPWR455Doc& doc)
{
    CR455Radio transceiver;
    const int result = CCloneOperations::ReadCopy(transceiver, doc.GetCloneLink(),
                                                  doc.GetCloneHost(), doc.GetTransferFile());
    doc.GetCloneHost().EndProgress();
    if (result != CCloneLink::kResultOk)
        return result;
    CCompareDlg dialog(doc.GetDocumentWindow(), ListDifferences(*doc.GetRadioData(), transceiver));
    dialog.ShowModal();
    return result;
}

bool OpenBackup(CPWR455Doc& doc)
{
    // Made here so that the chooser opens in it even before the first read.
    const std::string folder = CBackupStore::GetDefaultFolder();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    const wxString path = AskOpenPath(doc.GetDocumentWindow(), wxString::FromUTF8(folder),
                                      GetCommandTooltip(ID_FILE_OPEN_BACKUP));
    return !path.empty() && doc.OpenData(path);
}

void CheckConnection(CPWR455Doc& doc, CPortList& ports)
{
    CCloneLink& link = doc.GetCloneLink();
    CConnectionCheckDlg dialog(
        doc.GetDocumentWindow(), link.GetPortNumber(), link.GetPortDevice(link.GetPortNumber()),
        [&doc](const std::string& port) { return RunConnectionChecks(doc, port); }, ports,
        link.GetClock(),
        [&doc](int number, const std::string& device) { doc.BindPort(number, device); });
    dialog.ShowModal();
}

void BindSafeCloning(wxFrame* frame)
{
    frame->Bind(
        wxEVT_MENU,
        [](wxCommandEvent&) {
            if (CPWR455Doc* doc = Document())
                OpenBackup(*doc);
        },
        CmdId(ID_FILE_OPEN_BACKUP));
    frame->Bind(
        wxEVT_MENU,
        [](wxCommandEvent&) {
            if (CPWR455Doc* doc = Document())
                CompareWithTransceiver(*doc);
        },
        CmdId(ID_CLONE_COMPARE));
    frame->Bind(
        wxEVT_MENU,
        [](wxCommandEvent&) {
            CSystemPortList ports;
            if (CPWR455Doc* doc = Document())
                CheckConnection(*doc, ports);
        },
        CmdId(ID_HELP_CHECK_CONNECTION));
}
