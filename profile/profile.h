#pragma once

// The program's profile: one typed accessor per key, so that section and value names and
// their defaults live in one place.
//
// The profile is a text file, ${XDG_CONFIG_HOME:-$HOME/.config}/PW-R455NORD/PW-R455NORD.conf,
// shared with pwr455-cli. Sections are groups: "CommPort", "Recent File List",
// "Window Position", "Column", "Airports" and the bar state written at close.
// !!! The section and value names are the stored format: do not rename them. !!!

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

class wxConfigBase;

class CProfile {
public:
    // The profile file for the current environment.
    static wxString GetFilePath();

    // Creates the profile object (vendor "Vexa", application "PW-R455NORD") and makes it the
    // global wxConfig. The folder of the file is created when it does not exist.
    static void Open();
    // Writes pending changes and releases the profile object.
    static void Close();
    // Writes pending changes to the file.
    static void Flush();

    // "CommPort": the COM port number 1 to 4 (default 1; other stored values give 1) and the
    // device bound to each number (default /dev/ttyUSB0 to /dev/ttyUSB3).
    static int GetPortNumber();
    static void SetPortNumber(int number);
    static wxString GetPortDevice(int number);
    static void SetPortDevice(int number, const wxString& device);

    // "Recent File List": "File1" to "File4", most recent first.
    static std::vector<wxString> GetRecentFiles();
    static void SetRecentFiles(const std::vector<wxString>& files);

    // "Window Position": the restored rectangle (default 5, 5, 500 x 300) and the show state
    // at close ("CmdShow", default 5; 3 means maximised).
    static wxRect GetWindowRect();
    static int GetWindowCmdShow();
    // Writes "Left", "Top", "Width", "Height", "CmdShow" in this order; stops at the first
    // write that fails and returns false then.
    static bool SetWindowPlacement(const wxRect& normal, int cmdShow);

    // The bar state written at close: whether the toolbar and the status bar are shown.
    static void SetBarState(bool toolBarShown, bool statusBarShown);
    static bool GetToolBarShown();

    // "Column": "Width0" to "Width6" of the channel list; 0 when not stored.
    static int GetColumnWidth(unsigned column);
    static void SetColumnWidth(unsigned column, int width);

    // "Airports": the airport frequency list chosen instead of the shipped one ("ListFile");
    // empty while the shipped list is used.
    static wxString GetAirportListFile();
    static void SetAirportListFile(const wxString& path);

private:
    static wxConfigBase* Config();
};
