#pragma once

// Port Settings: which serial device each of COM1 to COM4 stands for. The choices offered are
// the serial devices found on this computer; any other path can be typed. The bindings are
// kept in the profile ("CommPort", "Device1" to "Device4"), where pwr455-cli reads them too.

#include <string>
#include <vector>

#include <wx/dialog.h>

#include "profile/profile.h"

class wxComboBox;

class CPortSettingsDlg : public wxDialog {
public:
    // `simulating`: the simulated transceiver is on, which the dialog points out.
    CPortSettingsDlg(wxWindow* parent, bool simulating);

    // Device of COM `number` (1 to 4): set before ShowModal, read after OK.
    void SetDevice(int number, const wxString& device);
    wxString GetDevice(int number) const;

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // Serial devices present, as the connection check finds them, then their stable names
    // (/dev/serial/by-id).
    static std::vector<std::string> FindSerialDevices();

private:
    wxComboBox* Field(int number) const;

    wxString m_devices[CProfile::kPortCount];
};
