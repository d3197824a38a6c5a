#pragma once

// The program's profile: its settings file, shared by the desktop program and pwr455-cli. One
// typed accessor per key, so that the file's place, the section and value names, the defaults
// and the number of COM ports live here and nowhere else.
//
// The file is ${XDG_CONFIG_HOME:-~/.config}/PW-R455NORD/PW-R455NORD.conf (user_folders.h says
// which home), in wxFileConfig's format. Sections: "CommPort", "Recent File List",
// "Window Position", "Column", "Airports", "Display" and the bar state written at close.
// !!! The section and value names are the stored format: do not rename them. !!!
//
// It is read once, whole and bounded: a file over kMaxFileSize, or one that is not a regular
// file, or one that cannot be read, is not used (the defaults apply) and never written over;
// GetWarning then says why in one line. wxWidgets' own messages about the file never reach
// the user. A save replaces the file atomically; a profile that is a symbolic link stays one,
// the file it leads to gets the new contents.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

class CComPortTable;
class wxFileConfig;

// A window's rectangle in screen coordinates.
struct CWindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class CProfile {
public:
    static constexpr int kPortCount = 4;
    static constexpr size_t kMaxFileSize = 1 << 20;

    // The profile file of this user; "" when no folder for settings is known.
    static std::string GetDefaultPath();

    // Reads the profile at `path` ("": none; the defaults apply and nothing is saved).
    explicit CProfile(const std::string& path = GetDefaultPath());
    ~CProfile();

    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    const std::string& GetPath() const { return m_path; }

    // Why the profile is not used as stored, or cannot be saved, as one line for the user;
    // "" when all is well.
    const std::string& GetWarning() const { return m_warning; }

    // Writes the changes, if any, making the profile's folder where it is missing. False (with
    // the reason in GetWarning) when the profile is not used or the file cannot be written.
    bool Save();

    // The desktop program's profile, for as long as its session lasts: Open reads it, checks
    // that a profile there can be saved (a read-only one cannot) and makes it wxWidgets'
    // configuration, Close saves and releases it, Flush saves it (false when that failed). Each
    // warning goes to the standard error stream; the program also shows GetWarning(). Between
    // sessions Session() is a profile of defaults that is never saved.
    static void Open();
    static void Close();
    static bool Flush();
    static CProfile& Session();

    // "CommPort": the COM port number 1 to kPortCount (default 1; other stored values give 1)
    // and the device bound to each number (default: the system's usual device for it).
    int GetPortNumber() const;
    void SetPortNumber(int number);
    std::string GetPortDevice(int number) const;
    void SetPortDevice(int number, const std::string& device);
    // The COM port table as the profile binds it: every number's device and the number chosen.
    void FillPortTable(CComPortTable& ports) const;

    // "Recent File List": "File1" to "File4", most recent first.
    std::vector<wxString> GetRecentFiles() const;
    void SetRecentFiles(const std::vector<wxString>& files);

    // "Window Position": the restored rectangle (default 5, 5, 500 x 300) and the show state
    // at close ("CmdShow", default 5; 3 means maximised).
    CWindowRect GetWindowRect() const;
    // False until a size has been stored: the program's first start.
    bool HasWindowSize() const;
    int GetWindowCmdShow() const;
    // Writes "Left", "Top", "Width", "Height", "CmdShow" in this order; stops at the first
    // write that fails and returns false then.
    bool SetWindowPlacement(const CWindowRect& normal, int cmdShow);

    // The bar state written at close: whether the toolbar and the status bar are shown.
    void SetBarState(bool toolBarShown, bool statusBarShown);

    // "Column": "Width0" to "Width6" of the channel list; 0 when not stored.
    int GetColumnWidth(unsigned column) const;
    void SetColumnWidth(unsigned column, int width);

    // "Airports": the airport frequency list chosen instead of the shipped one ("ListFile");
    // empty while the shipped list is used.
    wxString GetAirportListFile() const;
    void SetAirportListFile(const wxString& path);

    // "Display": the language of View > Language ("Language": "en", "nb", ...; "" or missing:
    // the system's).
    std::string GetLanguage() const;
    void SetLanguage(const std::string& code);

private:
    // Sets the warning when the profile is used but its file could not be saved.
    void CheckSavable();

    void Load();

    std::string m_path;
    std::unique_ptr<wxFileConfig> m_config;
    std::string m_stored; // the file's contents as read or last saved
    std::string m_warning;
    bool m_used = false; // false: the stored profile is not used and is never written
};
