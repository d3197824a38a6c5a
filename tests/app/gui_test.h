#pragma once

// Shared helpers of the GUI suite. Every test file includes this header first: it routes
// unexpected and missed dialogs of wxTEST_DIALOG to test failures.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/string.h>

class wxMenuItem;

// A wxTEST_DIALOG hook whose failures are test failures, and which ends an unexpected dialog
// at once (Cancel) instead of leaving it modal on a screen nobody looks at.
class CTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS CTestModalHook
#include <wx/testing.h>

class CTestModalHook : public wxTestingModalHook {
public:
    CTestModalHook(const char* file, int line, const char* func)
        : wxTestingModalHook(file, line, func) {}

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override;
};

// A message box whose text must be exactly `text`; it is answered with `answer`
// (wxID_OK, wxID_YES, wxID_NO, wxID_CANCEL).
class CExpectMessage : public wxExpectModalBase<wxMessageDialog, CExpectMessage> {
public:
    CExpectMessage(const std::string& text, int answer) : m_text(text), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;
    wxString GetDefaultDescription() const override;

private:
    std::string m_text;
    int m_answer;
};

// A modal dialog of class T answered by `action`: it looks at the dialog's controls, changes
// them and presses a button, and returns that button's id.
template <class T>
class CExpectAction : public wxExpectModalBase<T, CExpectAction<T>> {
public:
    using Action = std::function<int(T&)>;
    explicit CExpectAction(Action action) : m_action(std::move(action)) {}

protected:
    int OnInvoked(T* dialog) const override { return m_action(*dialog); }

private:
    Action m_action;
};

// Presses button `id` of `dialog` as a click does and returns `id`; a missing button fails
// the test and answers wxID_CANCEL.
int PressButton(wxDialog& dialog, int id);

// Lets the program handle its pending events, idle processing and deferred deletions for
// about `milliseconds`.
void PumpEvents(int milliseconds = 50);
// Pumps events until `done` answers true or `milliseconds` have passed; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000);

// The temporary home of the running test (also XDG_CONFIG_HOME's parent and TMPDIR);
// made fresh before each test and removed after it.
std::string GetTestHome();
// The profile file inside the test home.
std::string GetProfilePath();
// The whole text of a file, or "" when it cannot be read.
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// Replaces the profile file with `text`.
void WriteProfile(const std::string& text);

// Starts the program's windows as the program does (splash off unless `splash`) and ends
// them again: closing discards unsaved data without asking.
void StartProgram(const wxString& file = wxString(), bool splash = false);
void StopProgram();
// Closes the main frame as the user does (may ask questions) and ends the session when the
// frame went. Returns true when the frame closed.
bool CloseProgram();

// Sends a menu command to the main frame, as a menu item or toolbar button does.
void SendCommand(unsigned resourceId);
// Runs the update-UI handlers of the menus and toolbar.
void UpdateUi();
// The menu item of command `resourceId` in the main menu, or nullptr.
wxMenuItem* FindMenuItem(unsigned resourceId);
