#include "app/profile.h"

#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/utils.h>

namespace {

// Stored names: the profile file and pwr455-cli depend on them.
const char kVendor[] = "Vexa";
const char kAppName[] = "PW-R455NORD";
const char kCommPort[] = "/CommPort/";
const char kRecentFiles[] = "/Recent File List/";
const char kWindowPosition[] = "/Window Position/";
const char kColumn[] = "/Column/";
const char kAirportListFile[] = "/Airports/ListFile";
const char kToolBarBar[] = "/ToolBarState-Bar0/";
const char kStatusBarBar[] = "/ToolBarState-Bar1/";
const char kBarSummary[] = "/ToolBarState-Summary/";

constexpr int kRecentFileCount = 4;
constexpr int kPortCount = 4;

// Bar ids written with the bar state, as the toolbar and status bar are known by.
constexpr long kToolBarId = 59392;
constexpr long kStatusBarId = 59393;

const wxRect kDefaultWindowRect(5, 5, 500, 300);
constexpr int kDefaultCmdShow = 5;

} // namespace

wxString CProfile::GetFilePath()
{
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || base.empty()) {
        wxString home;
        if (!wxGetEnv("HOME", &home) || home.empty())
            home = wxGetHomeDir();
        base = home + "/.config";
    }
    return base + "/" + kAppName + "/" + kAppName + ".conf";
}

void CProfile::Open()
{
    Close();
    const wxString path = GetFilePath();
    wxFileName::Mkdir(wxFileName(path).GetPath(), 0700, wxPATH_MKDIR_FULL);
    auto* config = new wxFileConfig(kAppName, kVendor, path, wxString(), wxCONFIG_USE_LOCAL_FILE);
    wxConfigBase::Set(config);
}

void CProfile::Close()
{
    delete wxConfigBase::Set(nullptr);
}

void CProfile::Flush()
{
    if (wxConfigBase* config = Config())
        config->Flush();
}

wxConfigBase* CProfile::Config()
{
    return wxConfigBase::Get(false);
}

int CProfile::GetPortNumber()
{
    long number = 1;
    if (wxConfigBase* config = Config())
        number = config->ReadLong(wxString(kCommPort) + "PortNumber", 1);
    return number >= 1 && number <= kPortCount ? static_cast<int>(number) : 1;
}

void CProfile::SetPortNumber(int number)
{
    if (wxConfigBase* config = Config())
        config->Write(wxString(kCommPort) + "PortNumber", static_cast<long>(number));
}

wxString CProfile::GetPortDevice(int number)
{
    const wxString fallback = wxString::Format("/dev/ttyUSB%d", number - 1);
    if (wxConfigBase* config = Config())
        return config->Read(wxString::Format("%sDevice%d", kCommPort, number), fallback);
    return fallback;
}

void CProfile::SetPortDevice(int number, const wxString& device)
{
    if (number < 1 || number > kPortCount)
        return;
    if (wxConfigBase* config = Config())
        config->Write(wxString::Format("%sDevice%d", kCommPort, number), device);
}

std::vector<wxString> CProfile::GetRecentFiles()
{
    std::vector<wxString> files;
    wxConfigBase* config = Config();
    if (!config)
        return files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        wxString file;
        if (config->Read(wxString::Format("%sFile%d", kRecentFiles, i), &file) && !file.empty())
            files.push_back(file);
    }
    return files;
}

void CProfile::SetRecentFiles(const std::vector<wxString>& files)
{
    wxConfigBase* config = Config();
    if (!config)
        return;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const wxString key = wxString::Format("%sFile%d", kRecentFiles, i);
        if (static_cast<size_t>(i) <= files.size())
            config->Write(key, files[i - 1]);
        else
            config->DeleteEntry(key, false);
    }
}

wxRect CProfile::GetWindowRect()
{
    wxRect rect = kDefaultWindowRect;
    if (wxConfigBase* config = Config()) {
        const wxString s = kWindowPosition;
        rect.x = config->ReadLong(s + "Left", rect.x);
        rect.y = config->ReadLong(s + "Top", rect.y);
        rect.width = config->ReadLong(s + "Width", rect.width);
        rect.height = config->ReadLong(s + "Height", rect.height);
    }
    return rect;
}

int CProfile::GetWindowCmdShow()
{
    wxConfigBase* config = Config();
    return config ? config->ReadLong(wxString(kWindowPosition) + "CmdShow", kDefaultCmdShow)
                  : kDefaultCmdShow;
}

bool CProfile::SetWindowPlacement(const wxRect& normal, int cmdShow)
{
    wxConfigBase* config = Config();
    if (!config)
        return false;
    const wxString s = kWindowPosition;
    return config->Write(s + "Left", static_cast<long>(normal.x)) &&
           config->Write(s + "Top", static_cast<long>(normal.y)) &&
           config->Write(s + "Width", static_cast<long>(normal.width)) &&
           config->Write(s + "Height", static_cast<long>(normal.height)) &&
           config->Write(s + "CmdShow", static_cast<long>(cmdShow));
}

void CProfile::SetBarState(bool toolBarShown, bool statusBarShown)
{
    wxConfigBase* config = Config();
    if (!config)
        return;
    config->Write(wxString(kBarSummary) + "Bars", 2L);
    config->Write(wxString(kToolBarBar) + "BarID", kToolBarId);
    config->Write(wxString(kToolBarBar) + "Visible", toolBarShown ? 1L : 0L);
    config->Write(wxString(kStatusBarBar) + "BarID", kStatusBarId);
    config->Write(wxString(kStatusBarBar) + "Visible", statusBarShown ? 1L : 0L);
}

bool CProfile::GetToolBarShown()
{
    wxConfigBase* config = Config();
    return !config || config->ReadLong(wxString(kToolBarBar) + "Visible", 1) != 0;
}

int CProfile::GetColumnWidth(unsigned column)
{
    wxConfigBase* config = Config();
    return config ? config->ReadLong(wxString::Format("%sWidth%u", kColumn, column), 0) : 0;
}

void CProfile::SetColumnWidth(unsigned column, int width)
{
    if (wxConfigBase* config = Config())
        config->Write(wxString::Format("%sWidth%u", kColumn, column), static_cast<long>(width));
}

wxString CProfile::GetAirportListFile()
{
    wxConfigBase* config = Config();
    return config ? config->Read(kAirportListFile, wxString()) : wxString();
}

void CProfile::SetAirportListFile(const wxString& path)
{
    if (wxConfigBase* config = Config())
        config->Write(kAirportListFile, path);
}
