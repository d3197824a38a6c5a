// The splash window at start-up and the About box.

#include "tests/app/gui_test.h"

#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/splash_window.h"

namespace {

// Texts of the static controls of a window, in creation order.
std::vector<std::string> StaticTexts(wxWindow* window)
{
    std::vector<std::string> texts;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child))
            texts.push_back(text->GetLabel().utf8_string());
    }
    return texts;
}

// The About box's expectation: checks its texts and closes it with OK.
class CExpectAbout : public wxExpectModalBase<CAboutDialog, CExpectAbout> {
protected:
    int OnInvoked(CAboutDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetTitle().utf8_string(), "About PW-R455NORD");
        const std::vector<std::string> texts = StaticTexts(dialog);
        EXPECT_GE(texts.size(), 2u);
        if (!texts.empty()) {
            EXPECT_EQ(texts[0], "PW-R455NORD Rev.1.0");
        }
        return wxID_OK;
    }
};

// Counts the menus that open.
struct MenuOpenCounter {
    int opened = 0;
    void OnMenuOpen(wxMenuEvent& event)
    {
        ++opened;
        event.Skip();
    }
};

} // namespace

TEST(SplashWindow, ShowsTheProductForFiveSecondsAtStartUp)
{
    StartProgram(wxString(), true);
    CSplashWindow* splash = CSplashWindow::GetSplashWindow();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->IsShown());
    EXPECT_EQ(splash->GetTitle().utf8_string(), "Cloning Software For VX-R455NORD");
    const std::vector<std::string> texts = StaticTexts(splash);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "PW-R455NORD Rev.1.0");
    EXPECT_EQ(splash->GetDisplayTime(), 5000);
    EXPECT_TRUE(splash->IsTimerRunning());
    StopProgram();
    EXPECT_EQ(CSplashWindow::GetSplashWindow(), nullptr);
}

TEST(SplashWindow, AClickOnTheMenuBarOnlyClosesTheSplash)
{
    StartProgram(wxString(), true);
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    ASSERT_NE(CSplashWindow::GetSplashWindow(), nullptr);
    MenuOpenCounter counter;
    frame->Bind(wxEVT_MENU_OPEN, &MenuOpenCounter::OnMenuOpen, &counter);
    PumpEvents(300);

    // "File" at the left end of the menu bar, which is the top of the frame.
    const wxPoint file = frame->GetScreenPosition() + wxPoint(20, 10);
    wxUIActionSimulator sim;
    sim.MouseMove(file);
    PumpEvents(100);
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([] { return CSplashWindow::GetSplashWindow() == nullptr; }, 2000));
    PumpEvents(300);
    EXPECT_EQ(counter.opened, 0);

    // The same click without the splash opens the menu: the place was right.
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([&] { return counter.opened > 0; }, 2000));
    sim.Char(WXK_ESCAPE);
    PumpEvents(200);
    frame->Unbind(wxEVT_MENU_OPEN, &MenuOpenCounter::OnMenuOpen, &counter);
    StopProgram();
}

TEST(SplashWindow, AKeyClosesTheSplashAndIsConsumed)
{
    StartProgram(wxString(), true);
    CSplashWindow* splash = CSplashWindow::GetSplashWindow();
    ASSERT_NE(splash, nullptr);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'A';
    key.SetEventObject(GetPWR455App().GetMainFrame());
    EXPECT_TRUE(GetPWR455App().GetMainFrame()->ProcessWindowEvent(key));
    EXPECT_EQ(CSplashWindow::GetSplashWindow(), nullptr);
    // Later keys go their way.
    wxKeyEvent later(wxEVT_KEY_DOWN);
    later.m_keyCode = 'B';
    later.SetEventObject(GetPWR455App().GetMainFrame());
    EXPECT_FALSE(GetPWR455App().GetMainFrame()->ProcessWindowEvent(later));
    StopProgram();
}

TEST(AboutDialog, AboutCommandShowsTheAboutBox)
{
    StartProgram();
    wxTEST_DIALOG(SendCommand(ID_APP_ABOUT), CExpectAbout());
    StopProgram();
}

TEST(HelpBook, ContentsAndTopicsOpenTheProgramsHelpBook)
{
    StartProgram();
    EXPECT_FALSE(CPWR455App::FindHelpBook().empty());
    SendCommand(ID_HELP_INDEX);
    wxHtmlHelpController* help = GetPWR455App().GetHelpController();
    ASSERT_NE(help, nullptr);
    ASSERT_NE(help->GetFrame(), nullptr);
    EXPECT_TRUE(help->GetFrame()->IsShown());
    const wxHtmlHelpData* data = help->GetHelpWindow()->GetData();
    ASSERT_EQ(data->GetBookRecArray().size(), 1u);
    EXPECT_EQ(data->GetBookRecArray()[0].GetTitle().utf8_string(), "PW-R455NORD Help");
    // Contents: the book, its start page and nine topics; the index names the messages.
    EXPECT_EQ(data->GetContentsArray().size(), 11u);
    bool indexHasMessages = false;
    const wxHtmlHelpDataItems& index = data->GetIndexArray();
    for (size_t i = 0; i < index.size(); ++i)
        indexHasMessages |= index[i].name == "Error messages";
    EXPECT_TRUE(indexHasMessages);
    // Pages are shown as HTML, not as their source text.
    help->Display("troubleshooting.htm");
    PumpEvents(50);
    EXPECT_EQ(help->GetHelpWindow()->GetHtmlWindow()->GetOpenedPageTitle().utf8_string(),
              "Troubleshooting");
    SendCommand(ID_HELP_FINDER);
    EXPECT_TRUE(help->GetFrame()->IsShown());
    help->GetFrame()->Close(true);
    StopProgram();
}
