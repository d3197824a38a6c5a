// The GUI suite's main and helpers: Google Test inside the real application. The tests run
// from the main loop, each in a fresh home; a wxWidgets assertion is a test failure.

#include "tests/app/gui_test.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <filesystem>

#include <wx/evtloop.h>
#include <wx/stopwatch.h>

namespace fs = std::filesystem;

namespace {

std::string g_suiteHome; // holds the test homes; what the toolkit writes late lands here
std::string g_testHome;

// Every folder of the user's that the program writes in, its instance lock's included, is the
// home's: suites that run side by side, and the user's own copy of the program, stay apart.
void UseHome(const std::string& home)
{
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
    setenv("TMPDIR", (home + "/tmp").c_str(), 1);
}

std::string MakeHome(const std::string& parent)
{
    std::string home = parent + "/pwr455-gui-XXXXXX";
    if (!mkdtemp(home.data()))
        throw fs::filesystem_error("cannot make a test home", home, std::error_code());
    fs::create_directories(home + "/tmp");
    fs::create_directory(home + "/run");
    fs::permissions(home + "/run", fs::perms::owner_all, fs::perm_options::replace);
    UseHome(home);
    return home;
}

// Each test gets its own home and must leave its temporary folder empty.
class CTempHomeListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { g_testHome = MakeHome(g_suiteHome); }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(g_testHome + "/tmp", ignored))
            ADD_FAILURE() << "left in the temporary folder: " << entry.path().filename();
        fs::remove_all(g_testHome, ignored);
        UseHome(g_suiteHome);
    }
};

// The file chooser would list the files the tests choose among the toolkit's recent files and
// write that list after the suite's home has gone.
void DisableRecentFiles()
{
    if (GtkSettings* settings = gtk_settings_get_default())
        g_object_set(settings, "gtk-recent-files-enabled", FALSE, nullptr);
}

class CTestApp : public CPWR455App {
public:
    bool OnInit() override
    {
        wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                              const wxString& cond, const wxString& msg) {
            ADD_FAILURE_AT(file.utf8_string().c_str(), line)
                << "wxWidgets assertion " << cond << " in " << func << ": " << msg;
        });
        SetExitOnFrameDelete(false);
        DisableRecentFiles();
        CallAfter([this] {
            m_result = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        return true;
    }
    int OnRun() override { return wxApp::OnRun(), m_result; }

private:
    CTestModalHook m_dialogHook; // expects no dialog: one outside wxTEST_DIALOG is a failure
    int m_result = 1;
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(CTestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    g_suiteHome = MakeHome(fs::temp_directory_path().string());
    testing::UnitTest::GetInstance()->listeners().Append(new CTempHomeListener);
    const int result = wxEntry(argc, argv);
    fs::remove_all(g_suiteHome);
    return result;
}

int CTestModalHook::Enter(wxDialog* dialog)
{
    const int rc = wxTestingModalHook::Enter(dialog);
    // The failure has been reported; a modal dialog left open would stop the suite.
    return rc == wxID_NONE ? wxID_CANCEL : rc;
}

CExpectAction<wxMessageDialog> CExpectMessage(const std::string& text, int answer)
{
    return CExpectAction<wxMessageDialog>([=](wxMessageDialog& box) {
        EXPECT_EQ(box.GetMessage().utf8_string(), text);
        return answer;
    });
}

CExpectAction<wxFileDialog> ExpectFile(const std::string& path, const std::string& shown)
{
    return CExpectAction<wxFileDialog>([=](wxFileDialog& dialog) {
        if (!shown.empty()) {
            EXPECT_EQ(dialog.GetMessage() + "|" + dialog.GetDirectory(), shown);
        }
        dialog.SetPath(wxString::FromUTF8(path));
        EXPECT_TRUE(WaitFor([&] { return dialog.GetPath().utf8_string() == path; }));
        return wxID_OK;
    });
}

int PressButton(wxDialog& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    EXPECT_TRUE(button) << "no button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    if (button)
        button->ProcessWindowEvent(click);
    return id;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds)
{
    wxStopWatch watch;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    for (;;) {
        wxTheApp->ProcessPendingEvents();
        while (loop->Pending())
            loop->Dispatch();
        wxTheApp->ProcessIdle();
        if (done())
            return true;
        if (watch.Time() >= milliseconds)
            return false;
        loop->DispatchTimeout(10); // sleeps until the toolkit has an event, or briefly
    }
}

std::string GetTestHome()
{
    return g_testHome;
}

std::string GetProfilePath()
{
    return g_testHome + "/config/PW-R455NORD/PW-R455NORD.conf";
}

void WriteFileText(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    WriteFile(path, text);
}

void StartProgram(const wxString& file, bool splash)
{
    CSplashWindow::EnableSplashScreen(splash);
    ASSERT_TRUE(GetPWR455App().StartSession(file));
}

void StopProgram()
{
    CPWR455App& app = GetPWR455App();
    if (CPWR455Doc* doc = app.GetDocument())
        doc->DiscardChanges();
    if (CMainFrame* frame = app.GetMainFrame(); frame && !frame->IsBeingDeleted())
        frame->Close(true);
    EXPECT_TRUE(WaitFor([&] { return !app.GetMainFrame(); }));
    app.EndSession();
    EXPECT_TRUE(WaitFor([] { return wxTopLevelWindows.empty(); }));
}

void SendCommand(unsigned resourceId)
{
    wxCommandEvent event(wxEVT_MENU, CmdId(resourceId));
    event.SetEventObject(GetPWR455App().GetMainFrame());
    GetPWR455App().GetMainFrame()->HandleWindowEvent(event);
}

void UpdateUi()
{
    GetPWR455App().GetMainFrame()->GetMenuBar()->UpdateMenus();
    GetPWR455App().GetMainFrame()->GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
}

wxMenuItem* FindMenuItem(unsigned resourceId)
{
    return GetPWR455App().GetMainFrame()->GetMenuBar()->FindItem(CmdId(resourceId));
}

void TypeInto(wxTextCtrl* edit, const std::string& text)
{
    edit->ChangeValue(wxString());
    for (char c : text)
        edit->AppendText(wxString(1, c));
}

void ProgramTest::UseChannel(unsigned ch, const char* frequency, const char* name)
{
    PutChannel(*Radio(), ch, frequency, name);
    View()->RefreshAll();
}

RowTexts ProgramTest::Row(unsigned ch)
{
    RowTexts texts;
    for (int c = 0; c < 7; ++c)
        texts[c] = List()->GetItemText(static_cast<long>(ch) - 1, c).utf8_string();
    return texts;
}

void ProgramTest::PressKey(int keyCode)
{
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = keyCode;
    List()->GetRowsWindow()->HandleWindowEvent(key);
}
