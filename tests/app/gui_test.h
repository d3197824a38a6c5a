#pragma once

// Helpers of the GUI suite. Every test file includes this header first: it makes unexpected
// and missed dialogs of wxTEST_DIALOG test failures.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/eventfilter.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "app/command_ids.h"
#include "app/common_setting.h"
#include "app/edit_memory_dlg.h"
#include "app/fixed_font_property_sheet.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/splash_window.h"
#include "app/xrc_util.h"
#include "radio/r455_radio.h"
#include "tests/common/document_text.h"
#include "tests/common/recording_radio.h"
#include "tests/common/test_files.h"

// A wxTEST_DIALOG hook whose failures are test failures and which ends an unexpected dialog at
// once (Cancel) instead of leaving it modal on a screen nobody looks at.
class CTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS CTestModalHook
#include <wx/testing.h>

class CTestModalHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override { ADD_FAILURE() << message; }
};

// A modal dialog of class T answered by `action`, which returns the id of the button it pressed.
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

CExpectAction<wxMessageDialog> CExpectMessage(const std::string& text, int answer);
// The file dialog answered with `path`; the GTK file chooser takes it once its events ran.
// `shown`, when given, is the dialog's "message|folder".
CExpectAction<wxFileDialog> ExpectFile(const std::string& path, const std::string& shown = "");
// Presses button `id` of `dialog` as a click does and returns `id`.
int PressButton(wxDialog& dialog, int id);

// Lets the program handle its events until `done` answers true or `milliseconds` have passed;
// returns done(). The events already queued are handled before `done` is first asked. The
// bound only keeps a broken test from hanging: nothing may depend on the time it takes.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000);

// The test's own home (HOME, the parent of XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR,
// and TMPDIR in its folder "tmp"), removed after the test. A test fails when the program leaves
// anything in that TMPDIR.
std::string GetTestHome();
std::string GetProfilePath();
void WriteFileText(const std::string& path, const std::string& text); // makes the folder too

// Starts the program's windows as the program does (splash off unless `splash`); StopProgram
// closes them without asking (the profile is written) and waits until every window has gone.
void StartProgram(const wxString& file = wxString(), bool splash = false);
void StopProgram();

// As a menu item or toolbar button does.
void SendCommand(unsigned resourceId);
void UpdateUi();
wxMenuItem* FindMenuItem(unsigned resourceId);
// Types `text` one character at a time, as the keyboard does: a full edit takes no more.
void TypeInto(wxTextCtrl* edit, const std::string& text);
// A new data set on the real engine that records every command sent to it and can answer
// chosen commands itself (to show what the engine never answers).
struct CNewRecordingRadio : CRecordingRadio {
    CNewRecordingRadio()
    {
        forward = true;
        ResetData();
    }
};

using RowTexts = std::array<std::string, 7>;

// A running program on a new data set.
class ProgramTest : public testing::Test {
protected:
    void SetUp() override { StartProgram(); }
    void TearDown() override { StopProgram(); }

    static CPWR455Doc* Doc() { return GetPWR455App().GetDocument(); }
    static CR455Radio* Radio() { return Doc()->GetRadioData(); }
    static CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }
    static CPWR455View* View() { return dynamic_cast<CPWR455View*>(Doc()->GetFirstView()); }
    static CListViewEx* List() { return View()->GetListCtrl(); }
    static void UseChannel(unsigned ch, const char* frequency, const char* name); // and redraws
    static RowTexts Row(unsigned ch); // what the list shows in channel `ch`'s row
    static void PressKey(int keyCode); // in the list's rows
    static bool IsEnabled(unsigned id) { return UpdateUi(), FindMenuItem(id)->IsEnabled(); }
    static std::string Status() { return Frame()->GetMessageText().utf8_string(); }
    static std::string Title() { return Frame()->GetTitle().utf8_string(); }
};
