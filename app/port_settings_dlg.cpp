#include "app/port_settings_dlg.h"

#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <glob.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"

namespace {

std::vector<std::string> Glob(const char* pattern)
{
    std::vector<std::string> found;
    glob_t g = {};
    if (::glob(pattern, 0, nullptr, &g) == 0) {
        for (size_t i = 0; i < g.gl_pathc; ++i)
            found.emplace_back(g.gl_pathv[i]);
    }
    ::globfree(&g);
    return found;
}

// The kernel makes /dev/ttyS0 to ttyS31 whether or not a UART is behind them; only those that
// report a port type are worth offering.
bool IsRealUart(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EBUSY; // there, but not ours to probe
    struct serial_struct info = {};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) < 0 || info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
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

wxString CPortSettingsDlg::DefaultDevice(int number)
{
    return wxString::Format("/dev/ttyUSB%d", number - 1);
}

std::vector<std::string> CPortSettingsDlg::FindSerialDevices()
{
    std::vector<std::string> devices;
    for (const std::string& d : Glob("/dev/ttyS*")) {
        if (IsRealUart(d))
            devices.push_back(d);
    }
    for (const char* pattern : {"/dev/ttyUSB*", "/dev/ttyACM*", "/dev/serial/by-id/*"}) {
        const std::vector<std::string> found = Glob(pattern);
        devices.insert(devices.end(), found.begin(), found.end());
    }
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
