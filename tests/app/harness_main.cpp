// The GUI suite's main: Google Test inside a real wxWidgets application. The tests run from
// the first idle event of the main loop, each in a fresh temporary home, and a wxWidgets
// assertion is a test failure instead of a dialog that would stop the suite under Xvfb.

#include "tests/app/gui_test.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include "app/pwr455_app.h"

namespace {

std::string g_testHome;

void OnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wxWidgets assertion " << cond.utf8_string() << " in " << func.utf8_string() << ": "
        << msg.utf8_string();
}

// Each test gets its own home, profile folder and temporary folder.
class CTempHomeListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        char pattern[] = "/tmp/pwr455-gui-XXXXXX";
        const char* dir = mkdtemp(pattern);
        g_testHome = dir ? dir : "/tmp";
        std::filesystem::create_directories(g_testHome + "/tmp");
        std::filesystem::create_directories(g_testHome + "/.local/share");
        setenv("HOME", g_testHome.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (g_testHome + "/config").c_str(), 1);
        setenv("TMPDIR", (g_testHome + "/tmp").c_str(), 1);
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::error_code ignored;
        if (g_testHome.rfind("/tmp/pwr455-gui-", 0) == 0)
            std::filesystem::remove_all(g_testHome, ignored);
    }
};

// Catches a modal dialog that no wxTEST_DIALOG expects: a failure, and the dialog is ended.
class CUnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        wxString text = dialog->GetTitle();
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            text += ": " + box->GetMessage();
        ADD_FAILURE() << "unexpected modal dialog \"" << text.utf8_string() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

class CTestApp : public CPWR455App {
public:
    bool OnInit() override
    {
        wxSetAssertHandler(OnWxAssert);
        SetExitOnFrameDelete(false);
        m_dialogHook.Register();
        Bind(wxEVT_IDLE, &CTestApp::OnFirstIdle, this);
        return true;
    }
    int OnRun() override
    {
        wxApp::OnRun();
        return m_result;
    }
    int OnExit() override
    {
        return wxApp::OnExit();
    }

private:
    void OnFirstIdle(wxIdleEvent&)
    {
        Unbind(wxEVT_IDLE, &CTestApp::OnFirstIdle, this);
        m_result = RUN_ALL_TESTS();
        ExitMainLoop();
    }

    CUnexpectedDialogHook m_dialogHook;
    int m_result = 1;
};

} // namespace

std::string GetTestHome()
{
    return g_testHome;
}

wxIMPLEMENT_APP_NO_MAIN(CTestApp);

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CTempHomeListener);
    return wxEntry(argc, argv);
}
