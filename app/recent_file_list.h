#pragma once

// The recent-file list of the File menu: four entries, kept in the profile's
// "Recent File List" section. The entries take the place of the "Recent File" item between
// the two separators of the File menu; with no entries that item stays, disabled.

#include <wx/filehistory.h>

class wxMenu;

class CRecentFileList : public wxFileHistory {
public:
    CRecentFileList();

    // The menu holding the item ID_FILE_MRU_FILE1, whose place the entries take; nullptr
    // detaches the menu.
    void AttachMenu(wxMenu* menu);

    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;

    void LoadFromProfile();
    void SaveToProfile() const;

    // The menu text of entry i (0-based): "&1 " and the path, shortened and with its
    // ampersands doubled.
    static wxString MakeLabel(size_t i, const wxString& path);
    // A path of more than 80 characters with "..." in place of as much of its folders as
    // needed; the file's name stays whole.
    static wxString ShortenPath(const wxString& path);

private:
    void RebuildMenu();

    wxMenu* m_menu = nullptr;
    int m_position = -1;
    wxString m_placeholder; // the menu's own "Recent File" text
};
