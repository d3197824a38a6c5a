#include "clone/connection_doctor.h"

#include <algorithm>
#include <cwctype>

// Before every other Windows header, which rely on its definitions.
#include <windows.h>

#include <cfgmgr32.h>
#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>

#include "clone/comm_port_os.h"
#include "platform/utf16_win32.h"
#include "res/resource_ids.h"

// Windows lists its serial ports in the registry and names them COM1, COM2, ...; whether a
// port is held shows when it is opened. The system's root folder does not apply here, and
// there are no groups to join and no packages known to grab a cable. A cable whose driver
// fails gets no port at all: the device manager has it with a problem code.

namespace {

using Level = CDoctorFinding::Level;

constexpr unsigned kCloneBaud = 9600; // the clone run's line speed

// "COM7" of "COM7", "COM7:" and "\\.\COM7".
std::wstring DosName(const std::string& port)
{
    std::wstring name = Utf8ToWide(port);
    if (name.compare(0, 4, L"\\\\.\\") == 0)
        name.erase(0, 4);
    if (!name.empty() && name.back() == L':')
        name.pop_back();
    return name;
}

// COM2 before COM10: by prefix, then by number.
bool NaturalLess(const CSerialDevice& a, const CSerialDevice& b)
{
    const size_t da = a.path.find_first_of("0123456789");
    const size_t db = b.path.find_first_of("0123456789");
    if (a.path.substr(0, da) != b.path.substr(0, db))
        return a.path.substr(0, da) < b.path.substr(0, db);
    const std::string na = da == std::string::npos ? "" : a.path.substr(da);
    const std::string nb = db == std::string::npos ? "" : b.path.substr(db);
    return na.size() != nb.size() ? na.size() < nb.size() : na < nb;
}

// The port names the serial drivers have registered, such as COM1 and COM5.
std::vector<std::string> ListRegisteredPorts()
{
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t value[256];
        DWORD nameLength = 256;
        DWORD valueBytes = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                            reinterpret_cast<BYTE*>(value), &valueBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        value[valueBytes / sizeof(wchar_t)] = L'\0';
        ports.push_back(WideToUtf8(value));
    }
    ::RegCloseKey(key);
    return ports;
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property)
{
    wchar_t value[1024] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                             reinterpret_cast<BYTE*>(value), sizeof value - 4,
                                             nullptr))
        return std::wstring();
    return value; // the first string of a list
}

// "1a86" of "USB\VID_1A86&PID_7523&REV_0254" after "VID_".
std::string HexAfter(const std::wstring& id, const wchar_t* tag)
{
    const size_t at = id.find(tag);
    if (at == std::wstring::npos || at + 8 > id.size())
        return std::string();
    std::string hex = WideToUtf8(id.substr(at + 4, 4));
    std::transform(hex.begin(), hex.end(), hex.begin(), ::tolower);
    return hex;
}

// Adds what the device manager knows of each port: its name, its USB ids and its driver.
void DescribePorts(std::vector<CSerialDevice>& ports)
{
    const HDEVINFO devices = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr,
                                                    DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const HKEY key = ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                                KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        wchar_t portName[64] = {};
        DWORD bytes = sizeof portName - sizeof(wchar_t);
        const bool named = ::RegQueryValueExW(key, L"PortName", nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(portName),
                                              &bytes) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        const std::string port = WideToUtf8(portName);
        auto it = std::find_if(ports.begin(), ports.end(),
                               [&port](const CSerialDevice& d) { return d.path == port; });
        if (!named || it == ports.end())
            continue;
        // "USB-SERIAL CH340 (COM5)": the port's number is shown beside the name anyway.
        std::wstring name = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
        const std::wstring suffix = L" (" + std::wstring(portName) + L")";
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            name.erase(name.size() - suffix.size());
        it->name = it->label = WideToUtf8(name);
        const std::wstring hardware = DeviceProperty(devices, device, SPDRP_HARDWAREID);
        it->vendor = HexAfter(hardware, L"VID_");
        it->product = it->vendor.empty() ? std::string() : HexAfter(hardware, L"PID_");
        it->driver = WideToUtf8(DeviceProperty(devices, device, SPDRP_SERVICE));
    }
    ::SetupDiDestroyDeviceInfoList(devices);
}

// The system's error of opening the port, 0 when it opens; `serial` (when given) tells whether
// what opened is a serial port.
DWORD TryOpen(const std::string& port, bool* serial = nullptr)
{
    const HANDLE handle = ::CreateFileW((L"\\\\.\\" + DosName(port)).c_str(),
                                        GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    DCB settings = {};
    settings.DCBlength = sizeof settings;
    if (serial)
        *serial = ::GetFileType(handle) == FILE_TYPE_CHAR && ::GetCommState(handle, &settings);
    ::CloseHandle(handle);
    return 0;
}

} // namespace

CDoctorUser CDoctorUser::Current()
{
    CDoctorUser user;
    user.pid = static_cast<int>(::GetCurrentProcessId());
    wchar_t name[256];
    DWORD length = 256;
    if (::GetUserNameW(name, &length) && length > 0)
        user.name = WideToUtf8(name, length - 1);
    return user;
}

std::vector<CSerialDevice> CConnectionDoctor::FindSerialDevices() const
{
    std::vector<CSerialDevice> devices;
    for (const std::string& port : ListRegisteredPorts()) {
        CSerialDevice device;
        device.path = port;
        devices.push_back(device);
    }
    DescribePorts(devices);
    std::sort(devices.begin(), devices.end(), NaturalLess);
    return devices;
}

// Every device there under Ports (COM & LPT), and every USB device, whose driver has a problem.
std::vector<CProblemDevice> CConnectionDoctor::FindProblemDevices() const
{
    std::vector<CProblemDevice> found;
    const HDEVINFO devices = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr,
                                                    DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return found;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        ULONG status = 0, problem = 0;
        if (::CM_Get_DevNode_Status(&status, &problem, device.DevInst, 0) != CR_SUCCESS ||
            !(status & DN_HAS_PROBLEM) || problem == 0)
            continue;
        const std::wstring hardware = DeviceProperty(devices, device, SPDRP_HARDWAREID);
        const bool port = ::IsEqualGUID(device.ClassGuid, GUID_DEVCLASS_PORTS) != 0;
        if (!port && hardware.compare(0, 4, L"USB\\") != 0)
            continue;
        CProblemDevice d;
        std::wstring name = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
        if (name.empty())
            name = DeviceProperty(devices, device, SPDRP_DEVICEDESC);
        d.name = WideToUtf8(name.empty() ? hardware : name);
        d.vendor = HexAfter(hardware, L"VID_");
        d.product = d.vendor.empty() ? std::string() : HexAfter(hardware, L"PID_");
        d.code = problem;
        d.port = port;
        found.push_back(d);
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return found;
}

CDoctorFinding CConnectionDoctor::NoDevicesFound()
{
    return Finding(Level::Problem, Text(IDS_DOCTOR_NO_COM_PORTS),
                   Text(IDS_DOCTOR_NO_COM_PORTS_FIX));
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckPort(const std::string& port) const
{
    if (port.empty() || !PortExists(port))
        return {Finding(Level::Problem, Text(IDS_DOCTOR_PORT_MISSING, {port}),
                        Text(IDS_DOCTOR_CHOOSE_PORT_FIX))};
    return {Finding(Level::Ok, Text(IDS_DOCTOR_PORT_EXISTS, {port}))};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckHolders(const std::string& port) const
{
    int error = 0;
    const int handle = OpenSerialDevice(port, error);
    // The port is opened without sharing: a holder makes every other open fail this way.
    if (handle < 0 && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION))
        return {Finding(Level::Problem, Text(IDS_DOCTOR_HELD_BY_OTHER, {port}),
                        Text(IDS_DOCTOR_HELD_BY_OTHER_FIX))};
    if (handle < 0)
        return {Finding(Level::Problem,
                        Text(IDS_DOCTOR_PORT_FAILS,
                             {port, DescribeSystemError(static_cast<unsigned long>(error))}),
                        Text(IDS_DOCTOR_PORT_FAILS_FIX))};
    // Some drivers open the port and then refuse the line settings the clone run makes.
    const std::shared_ptr<CSerialLine> line = GetSerialLine(handle);
    const bool set = ConfigureSerialLine(handle, kCloneBaud, error);
    if (line)
        SetSerialLine(handle, *line);
    CloseSerialDevice(handle);
    if (set)
        return {Finding(Level::Ok, Text(IDS_DOCTOR_NOT_HELD, {port}))};
    const std::vector<CSerialDevice> devices = FindSerialDevices();
    const auto device = std::find_if(devices.begin(), devices.end(), [&port](const auto& d) {
        return Utf8ToWide(d.path) == DosName(port);
    });
    const std::string fix = device == devices.end() ? ""
                                                    : DriverFix(device->vendor, device->product);
    return {Finding(Level::Problem,
                    Text(IDS_DOCTOR_LINE_REFUSED,
                         {port, DescribeSystemError(static_cast<unsigned long>(error))}),
                    fix.empty() ? Text(IDS_DOCTOR_FIX_REINSTALL) : fix)};
}

std::vector<CDoctorFinding> CConnectionDoctor::CheckGrabbers(const std::string& /*port*/) const
{
    return {};
}

bool CConnectionDoctor::PortExists(const std::string& port) const
{
    wchar_t target[1024];
    if (::QueryDosDeviceW(DosName(port).c_str(), target, 1024) != 0)
        return true;
    // Not every port is named where QueryDosDevice looks (a port a driver or Wine maps without
    // it): one that opens as a serial port is there, and so is one another program holds.
    bool serial = false;
    const DWORD error = TryOpen(port, &serial);
    return error == 0 ? serial : error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}
