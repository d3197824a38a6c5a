#include "profile/profile.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <system_error>

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "clone/com_port_table.h"
#include "clone/comm_port.h"
#include "platform/file_io.h"
#include "platform/user_folders.h"
#include "radio/atomic_save.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// Stored names: the profile file and pwr455-cli depend on them.
const char kAppName[] = "PW-R455NORD";
const char kCommPort[] = "/CommPort/";
const char kRecentFiles[] = "/Recent File List/";
const char kWindowPosition[] = "/Window Position/";
const char kColumn[] = "/Column/";
const char kAirportListFile[] = "/Airports/ListFile";
const char kLanguage[] = "/Display/Language";
const char kToolBarBar[] = "/ToolBarState-Bar0/";
const char kStatusBarBar[] = "/ToolBarState-Bar1/";
const char kBarSummary[] = "/ToolBarState-Summary/";

constexpr int kRecentFileCount = 4;

// Bar ids written with the bar state, as the toolbar and status bar are known by.
constexpr long kToolBarId = 59392;
constexpr long kStatusBarId = 59393;

const CWindowRect kDefaultWindowRect{5, 5, 500, 300};
constexpr int kDefaultCmdShow = 5;

// Counts wxWidgets' complaints while it lives instead of passing them on: its reader of the
// profile logs one message per line it does not understand, and asserts on a group named twice.
class CComplaintCounter : public wxLog {
public:
    CComplaintCounter()
        : m_previousLog(wxLog::SetActiveTarget(this)),
          m_previousAssert(wxSetAssertHandler(OnAssert))
    {
        s_asserts = 0;
    }
    ~CComplaintCounter() override
    {
        wxSetAssertHandler(m_previousAssert);
        wxLog::SetActiveTarget(m_previousLog);
    }
    CComplaintCounter(const CComplaintCounter&) = delete;
    CComplaintCounter& operator=(const CComplaintCounter&) = delete;

    size_t GetCount() const { return m_count + s_asserts; }

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++m_count; }

private:
    static void OnAssert(const wxString&, int, const wxString&, const wxString&, const wxString&)
    {
        ++s_asserts;
    }

    inline static size_t s_asserts = 0;
    wxLog* m_previousLog;
    wxAssertHandler_t m_previousAssert;
    size_t m_count = 0;
};

std::string Text(unsigned id, std::initializer_list<std::string> args = {})
{
    return FormatText(LoadResString(id), args);
}

// The desktop program's session profile.
std::unique_ptr<CProfile> g_session;

void PrintWarning(const CProfile& profile)
{
    if (!profile.GetWarning().empty())
        std::fprintf(stderr, "%s\n", Text(IDS_APP_WARNING, {profile.GetWarning()}).c_str());
}

} // namespace

std::string CProfile::GetDefaultPath()
{
    const std::string folder = GetUserConfigFolder();
    if (folder.empty())
        return std::string();
    return (std::filesystem::u8path(folder) / kAppName / (std::string(kAppName) + ".conf"))
        .u8string();
}

CProfile::CProfile(const std::string& path) : m_path(path)
{
    Load();
}

CProfile::~CProfile() = default;

void CProfile::Load()
{
    std::string detail;
    const EFileError read = m_path.empty()
                                ? EFileError::NotAFileName
                                : ReadRegularFile(m_path, kMaxFileSize, m_stored, &detail);
    m_used = read == EFileError::None || read == EFileError::Missing;
    switch (read) {
    case EFileError::None:
    case EFileError::Missing:
        break;
    case EFileError::NotAFileName:
        m_warning = Text(IDS_PROFILE_NO_FOLDER);
        break;
    case EFileError::TooLarge:
        detail = Text(IDS_PROFILE_TOO_LARGE);
        break;
    case EFileError::NotRegular:
        detail = Text(IDS_PROFILE_NOT_REGULAR);
        break;
    default:
        detail = Text(IDS_PROFILE_UNREADABLE, {detail});
        break;
    }
    if (!m_used && !m_path.empty())
        m_warning = Text(IDS_PROFILE_NOT_USED, {m_path, detail});
    if (!m_used)
        m_stored.clear();
    wxMemoryInputStream in(m_stored.data(), m_stored.size());
    CComplaintCounter complaints;
    m_config = std::make_unique<wxFileConfig>(in);
    if (complaints.GetCount() > 0 && m_warning.empty())
        m_warning = Text(IDS_PROFILE_NOT_UNDERSTOOD, {m_path});
}

bool CProfile::Save()
{
    if (!m_used)
        return false;
    wxMemoryOutputStream out;
    {
        CComplaintCounter complaints;
        m_config->Save(out);
    }
    std::string text(out.GetSize(), '\0');
    out.CopyTo(text.data(), text.size());
    if (text == m_stored)
        return true;
    // The folder is private to its user, as the settings in it are.
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::u8path(m_path).parent_path();
    if (fs::create_directories(folder, ec))
        fs::permissions(folder, fs::perms::owner_all, ec);
    std::string error;
    if (!SaveAtomically(
            m_path, [&text](std::ostream& file) { file << text; }, &error)) {
        m_warning = Text(IDS_PROFILE_NOT_SAVED, {m_path, error});
        return false;
    }
    m_stored = text;
    return true;
}

void CProfile::Open()
{
    Close();
    g_session = std::make_unique<CProfile>();
    g_session->CheckSavable();
    PrintWarning(*g_session);
    wxConfigBase::Set(g_session->m_config.get());
}

void CProfile::CheckSavable()
{
    // A missing folder is made by the first save; a file or folder that is there must take it.
    std::error_code ec;
    if (!m_used || !m_warning.empty() ||
        !std::filesystem::is_directory(std::filesystem::u8path(m_path).parent_path(), ec))
        return;
    const std::string reason = CheckSaveTarget(m_path);
    if (!reason.empty())
        m_warning = Text(IDS_PROFILE_NOT_SAVED, {m_path, reason});
}

void CProfile::Close()
{
    if (!g_session)
        return;
    wxConfigBase::Set(nullptr);
    Flush();
    g_session.reset();
}

bool CProfile::Flush()
{
    if (g_session && !g_session->Save() && g_session->m_used) {
        PrintWarning(*g_session);
        return false;
    }
    return true;
}

CProfile& CProfile::Session()
{
    static CProfile defaults{std::string()};
    return g_session ? *g_session : defaults;
}

int CProfile::GetPortNumber() const
{
    const long number = m_config->ReadLong(wxString(kCommPort) + "PortNumber", 1);
    return number >= 1 && number <= kPortCount ? static_cast<int>(number) : 1;
}

void CProfile::SetPortNumber(int number)
{
    m_config->Write(wxString(kCommPort) + "PortNumber", static_cast<long>(number));
}

std::string CProfile::GetPortDevice(int number) const
{
    const std::string device =
        m_config->Read(wxString::Format("%sDevice%d", kCommPort, number)).utf8_string();
    return device.empty() ? CCommPort::GetDefaultDevice(number) : device;
}

void CProfile::FillPortTable(CComPortTable& ports) const
{
    for (int n = 1; n <= kPortCount; ++n)
        ports.SetDevice(n, GetPortDevice(n));
    ports.SetNumber(GetPortNumber());
}

void CProfile::SetPortDevice(int number, const std::string& device)
{
    if (number >= 1 && number <= kPortCount)
        m_config->Write(wxString::Format("%sDevice%d", kCommPort, number),
                        wxString::FromUTF8(device));
}

std::vector<wxString> CProfile::GetRecentFiles() const
{
    std::vector<wxString> files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        wxString file;
        if (m_config->Read(wxString::Format("%sFile%d", kRecentFiles, i), &file) && !file.empty())
            files.push_back(file);
    }
    return files;
}

void CProfile::SetRecentFiles(const std::vector<wxString>& files)
{
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const wxString key = wxString::Format("%sFile%d", kRecentFiles, i);
        if (static_cast<size_t>(i) <= files.size())
            m_config->Write(key, files[i - 1]);
        else
            m_config->DeleteEntry(key, false);
    }
}

CWindowRect CProfile::GetWindowRect() const
{
    const wxString s = kWindowPosition;
    CWindowRect rect = kDefaultWindowRect;
    rect.x = m_config->ReadLong(s + "Left", rect.x);
    rect.y = m_config->ReadLong(s + "Top", rect.y);
    rect.width = m_config->ReadLong(s + "Width", rect.width);
    rect.height = m_config->ReadLong(s + "Height", rect.height);
    return rect;
}

bool CProfile::HasWindowSize() const
{
    const wxString s = kWindowPosition;
    return m_config->HasEntry(s + "Width") && m_config->HasEntry(s + "Height");
}

int CProfile::GetWindowCmdShow() const
{
    return m_config->ReadLong(wxString(kWindowPosition) + "CmdShow", kDefaultCmdShow);
}

bool CProfile::SetWindowPlacement(const CWindowRect& normal, int cmdShow)
{
    const wxString s = kWindowPosition;
    return m_config->Write(s + "Left", static_cast<long>(normal.x)) &&
           m_config->Write(s + "Top", static_cast<long>(normal.y)) &&
           m_config->Write(s + "Width", static_cast<long>(normal.width)) &&
           m_config->Write(s + "Height", static_cast<long>(normal.height)) &&
           m_config->Write(s + "CmdShow", static_cast<long>(cmdShow));
}

void CProfile::SetBarState(bool toolBarShown, bool statusBarShown)
{
    m_config->Write(wxString(kBarSummary) + "Bars", 2L);
    m_config->Write(wxString(kToolBarBar) + "BarID", kToolBarId);
    m_config->Write(wxString(kToolBarBar) + "Visible", toolBarShown ? 1L : 0L);
    m_config->Write(wxString(kStatusBarBar) + "BarID", kStatusBarId);
    m_config->Write(wxString(kStatusBarBar) + "Visible", statusBarShown ? 1L : 0L);
}

int CProfile::GetColumnWidth(unsigned column) const
{
    return m_config->ReadLong(wxString::Format("%sWidth%u", kColumn, column), 0);
}

void CProfile::SetColumnWidth(unsigned column, int width)
{
    m_config->Write(wxString::Format("%sWidth%u", kColumn, column), static_cast<long>(width));
}

wxString CProfile::GetAirportListFile() const
{
    return m_config->Read(kAirportListFile, wxString());
}

void CProfile::SetAirportListFile(const wxString& path)
{
    m_config->Write(kAirportListFile, path);
}

std::string CProfile::GetLanguage() const
{
    return m_config->Read(kLanguage, wxString()).utf8_string();
}

void CProfile::SetLanguage(const std::string& code)
{
    m_config->Write(kLanguage, wxString::FromUTF8(code));
}
