// The document's clone operations (Read From Transceiver, Write to Transceiver, Read Information),
// Port Settings, and the simulated transceiver of pwr455 --simulate; app/clone_menu.cpp binds them.

#include "app/pwr455_doc.h"

#include <wx/msgdlg.h>

#include "app/app_resources.h"
#include "app/gui_clone_host.h"
#include "app/main_window.h"
#include "app/port_settings_dlg.h"
#include "app/undo_commands.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/clone_station.h"
#include "profile/profile.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "sim/sim_transceiver.h"

int CPWR455Doc::RunCloneOperation(CCloneOperations::EOperation operation)
{
    CCloneOperations& operations = m_station->Operations();
    int result = CCloneOperations::kDeclined;
    switch (operation) {
    case CCloneOperations::EOperation::Read: {
        // A read that fails or is declined leaves the data as they were and adds no step.
        CUndoStep step(*m_history, UndoStepName(IDS_STEP_CLONE_READ));
        result = operations.Read();
        break;
    }
    case CCloneOperations::EOperation::Write:
        result = operations.Write();
        break;
    case CCloneOperations::EOperation::Information:
        result = operations.Information();
        break;
    }
    m_cloneHost->EndProgress();
    m_lastCloneResult = result;
    // The progress window had the keyboard.
    CViewHint focusRows(CViewHint::EWhat::kFocusRows);
    UpdateAllViews(nullptr, &focusRows);
    return result;
}

int CPWR455Doc::CloneRead()
{
    return RunCloneOperation(CCloneOperations::EOperation::Read);
}

int CPWR455Doc::CloneWrite()
{
    return RunCloneOperation(CCloneOperations::EOperation::Write);
}

int CPWR455Doc::CloneInformation()
{
    return RunCloneOperation(CCloneOperations::EOperation::Information);
}

bool CPWR455Doc::StartSimulation()
{
    if (IsSimulating())
        return true;
    auto simulator = std::make_unique<CSimTransceiver>();
    if (!simulator->Start(CSimTransceiver::GetInProcessLine())) {
        wxMessageBox(ResString(IDS_SIMULATE_NOT_STARTED), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_EXCLAMATION, GetDocumentWindow());
        return false;
    }
    // Whatever COM port is chosen, the clone commands reach the simulated transceiver (through
    // the ordinary serial code where the system has pseudo-terminals).
    m_station->Simulate(std::move(simulator));
    // The title bar says that the transceiver is simulated.
    OnChangeFilename(true);
    return true;
}

void CPWR455Doc::EditPortSettings()
{
    CPortSettingsDlg dialog(GetDocumentWindow(), IsSimulating());
    for (int n = 1; n <= CProfile::kPortCount; ++n)
        dialog.SetDevice(n, wxString::FromUTF8(CProfile::Session().GetPortDevice(n)));
    if (dialog.ShowModal() != wxID_OK)
        return;
    for (int n = 1; n <= CProfile::kPortCount; ++n)
        SetPortDevice(n, dialog.GetDevice(n).utf8_string());
    SavePortBindings();
}

void CPWR455Doc::BindPort(int number, const std::string& device)
{
    SetPortDevice(number, device);
    SetPortNumber(number);
    CProfile::Session().SetPortNumber(number);
    SavePortBindings();
}

void CPWR455Doc::SetPortDevice(int number, const std::string& device)
{
    CProfile::Session().SetPortDevice(number, device);
    // While simulating, every port stays bound to the simulated transceiver; the new devices
    // take effect at the next start without --simulate.
    if (!IsSimulating())
        GetCloneLink().SetPortDevice(number, device);
}

void CPWR455Doc::SavePortBindings()
{
    // pwr455-cli reads the same file: make the bindings visible to it at once.
    if (!CProfile::Flush())
        ShowProfileWarning();
}
