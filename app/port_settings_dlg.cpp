#include "app/port_settings_dlg.h"

#include <stdexcept>

#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "clone/comm_port.h"
#include "clone/connection_doctor.h"
#include "res/resource_ids.h"

namespace {

constexpr int kPortCount = CProfile::kPortCount;

// The device a COM number stands for when nothing else is set.
wxString DefaultDevice(int number)
{
    return wxString::FromUTF8(CCommPort::GetDefaultDevice(number));
}

} // namespace

CPortSettingsDlg::CPortSettingsDlg(wxWindow* parent, bool simulating)
{
    LoadXrcDialog(*this, parent, "IDD_PORT_SETTINGS");
    wxArrayString choices;
    for (const std::string& device : FindSerialDevices())
        choices.Add(wxString::FromUTF8(device));
    for (int n = 1; n <= kPortCount; ++n) {
        Field(n)->Set(choices);
        m_devices[n - 1] = DefaultDevice(n);
    }
    auto* note = XrcCtrl<wxStaticText>(*this, "IDC_PORT_NOTE");
    if (simulating)
        note->SetLabel(ResString(IDS_PORT_SIMULATE_NOTE));
    else
        note->Hide();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

std::vector<std::string> CPortSettingsDlg::FindSerialDevices()
{
    const std::vector<CSerialDevice> found =
        CConnectionDoctor("/", CDoctorUser::Current()).FindSerialDevices();
    std::vector<std::string> devices;
    for (const CSerialDevice& device : found)
        devices.push_back(device.path);
    for (const CSerialDevice& device : found)
        if (!device.byId.empty())
            devices.push_back(device.byId);
    return devices;
}

wxComboBox* CPortSettingsDlg::Field(int number) const
{
    static const char* const kNames[kPortCount] = {"IDC_PORT_DEVICE1", "IDC_PORT_DEVICE2",
                                                   "IDC_PORT_DEVICE3", "IDC_PORT_DEVICE4"};
    return XrcCtrl<wxComboBox>(*this, kNames[number - 1]);
}

void CPortSettingsDlg::SetDevice(int number, const wxString& device)
{
    if (number >= 1 && number <= kPortCount)
        m_devices[number - 1] = device;
}

wxString CPortSettingsDlg::GetDevice(int number) const
{
    return number >= 1 && number <= kPortCount ? m_devices[number - 1] : wxString();
}

bool CPortSettingsDlg::TransferDataToWindow()
{
    // The devices found, and those the entries are bound to though the system does not list
    // them (a port typed in, such as COM7): every binding stays one choice away.
    for (int n = 1; n <= kPortCount; ++n)
        for (int other = 1; other <= kPortCount; ++other)
            if (Field(n)->FindString(m_devices[other - 1], true) == wxNOT_FOUND)
                Field(n)->Append(m_devices[other - 1]);
    for (int n = 1; n <= kPortCount; ++n)
        Field(n)->SetValue(m_devices[n - 1]);
    return wxDialog::TransferDataToWindow();
}

bool CPortSettingsDlg::TransferDataFromWindow()
{
    for (int n = 1; n <= kPortCount; ++n) {
        wxString device = Field(n)->GetValue();
        device.Trim(true).Trim(false);
        // A field left empty stands for the port's usual device rather than no device at all.
        m_devices[n - 1] = device.empty() ? DefaultDevice(n) : device;
    }
    return wxDialog::TransferDataFromWindow();
}
