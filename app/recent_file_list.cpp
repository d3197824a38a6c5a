#include "app/recent_file_list.h"

#include <algorithm>

#include <wx/filename.h>
#include <wx/menu.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "profile/profile.h"

namespace {

constexpr size_t kRecentFileCount = 4;
// Longer paths give up their middle, so that the menu stays narrower than the screen.
constexpr size_t kLongestLabelPath = 80;
const char kGap[] = "...";

} // namespace

CRecentFileList::CRecentFileList() : wxFileHistory(kRecentFileCount, CmdId(ID_FILE_MRU_FILE1)) {}

void CRecentFileList::AttachMenu(wxMenu* menu)
{
    m_menu = nullptr;
    m_position = -1;
    if (!menu)
        return;
    size_t position = 0;
    wxMenuItem* placeholder = menu->FindChildItem(CmdId(ID_FILE_MRU_FILE1), &position);
    if (!placeholder)
        return;
    m_placeholder = placeholder->GetItemLabel();
    m_menu = menu;
    m_position = static_cast<int>(position);
    RebuildMenu();
}

void CRecentFileList::AddFileToHistory(const wxString& file)
{
    wxFileHistory::AddFileToHistory(file);
    RebuildMenu();
}

void CRecentFileList::RemoveFileFromHistory(size_t i)
{
    wxFileHistory::RemoveFileFromHistory(i);
    RebuildMenu();
}

void CRecentFileList::LoadFromProfile()
{
    while (GetCount() > 0)
        wxFileHistory::RemoveFileFromHistory(0);
    const std::vector<wxString> files = CProfile::Session().GetRecentFiles();
    // AddFileToHistory puts each file first, so the oldest goes in first.
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        wxFileHistory::AddFileToHistory(*it);
    RebuildMenu();
}

void CRecentFileList::SaveToProfile() const
{
    std::vector<wxString> files;
    for (size_t i = 0; i < GetCount(); ++i)
        files.push_back(GetHistoryFile(i));
    CProfile::Session().SetRecentFiles(files);
}

wxString CRecentFileList::ShortenPath(const wxString& path)
{
    if (path.length() <= kLongestLabelPath)
        return path;
    // The file's name stays whole; the folders before it are kept from the start.
    const size_t slash = path.find_last_of(wxFileName::GetPathSeparators());
    const wxString name = slash == wxString::npos ? path : path.Mid(slash);
    const size_t room = kLongestLabelPath - std::min(kLongestLabelPath, name.length() + 3);
    return path.Left(room) + kGap + name;
}

wxString CRecentFileList::MakeLabel(size_t i, const wxString& path)
{
    wxString escaped = ShortenPath(path);
    escaped.Replace("&", "&&");
    return wxString::Format("&%zu %s", i + 1, escaped);
}

void CRecentFileList::RebuildMenu()
{
    if (!m_menu)
        return;
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        const int id = CmdId(ID_FILE_MRU_FILE1) + static_cast<int>(i);
        if (m_menu->FindChildItem(id))
            m_menu->Destroy(id);
    }
    const wxString prompt = GetCommandPrompt(ID_FILE_MRU_FILE1);
    if (GetCount() == 0) {
        m_menu->Insert(m_position, CmdId(ID_FILE_MRU_FILE1), m_placeholder, prompt);
        return;
    }
    for (size_t i = 0; i < GetCount(); ++i)
        m_menu->Insert(m_position + i, CmdId(ID_FILE_MRU_FILE1) + static_cast<int>(i),
                       MakeLabel(i, GetHistoryFile(i)), prompt);
}
