// Pictures of the program's windows for a person to look at, taken by `make screenshots` into
// the folder PWR_SCREENSHOT_DIR names.

#include "tests/app/gui_test.h"

#include <cstdio>

#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/prntbase.h>

#include <wx/button.h>
#include <wx/uiaction.h>

#include "app/about_dialog.h"
#include "app/airport_import_dlg.h"
#include "app/card_preview.h"
#include "app/card_printing.h"
#include "app/chirp_import_dlg.h"
#include "app/compare_dlg.h"
#include "app/connection_check_dlg.h"
#include "app/find_cable_dlg.h"
#include "language/program_language.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/fake_port_list.h"
#include "tests/common/test_files.h"

namespace {

// Shows `window` in the middle of the screen and takes its picture (with the main window
// around it when `withFrame`) once the toolkit has painted it (all of it at once).
void Shoot(wxTopLevelWindow* window, const std::string& name, bool withFrame = false)
{
    struct CPaintWatch : wxEventFilter {
        explicit CPaintWatch(wxWindow* shown) : window(shown) { wxEvtHandler::AddFilter(this); }
        ~CPaintWatch() override { wxEvtHandler::RemoveFilter(this); }
        int FilterEvent(wxEvent& event) override
        {
            auto* w = dynamic_cast<wxWindow*>(event.GetEventObject());
            painted |= event.GetEventType() == wxEVT_PAINT && w && wxGetTopLevelParent(w) == window;
            return Event_Skip;
        }
        wxWindow* window;
        bool painted = false;
    } watch(window);
    window->CentreOnScreen();
    window->Show();
    window->Raise();
    window->Refresh();
    EXPECT_TRUE(WaitFor([&] { return watch.painted; })) << name;
    wxRect r = window->GetScreenRect();
    if (withFrame)
        r.Union(GetPWR455App().GetMainFrame()->GetScreenRect());
    const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png",
                                              r.width + 16, r.height + 16, r.x - 8, r.y - 8,
                                              getenv("PWR_SCREENSHOT_DIR"), name);
    EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command;
}

template <class T>
CExpectAction<T> ShowAndShoot(const std::string& name, bool withFrame = false)
{
    return CExpectAction<T>([=](T& dialog) {
        Shoot(&dialog, name, withFrame);
        dialog.Hide();
        return wxID_CANCEL;
    });
}

} // namespace

TEST_F(ProgramTest, Screenshots)
{
    if (!getenv("PWR_SCREENSHOT_DIR"))
        GTEST_SKIP() << "PWR_SCREENSHOT_DIR not set";
    // PWR_SCREENSHOT_LANGUAGE=nb: the windows in that language (made before it is set), on a
    // fresh profile, as a first start in that language shows them.
    if (const char* language = getenv("PWR_SCREENSHOT_LANGUAGE")) {
        StopProgram();
        std::remove(GetProfilePath().c_str());
        UseLanguage(language, true);
        StartProgram();
    }
    Shoot(Frame(), "first_start"); // as large as the whole list
    Frame()->SetSize(760, 520);
    UseChannel(3, "121.500", "TOWER");
    PutChannel(*Radio(), 4, "118.100", "GROUND", false, true);
    Radio()->SetPriorityChannel("3");
    View()->RefreshAll();
    View()->SelectChannel(3);
    Shoot(Frame(), "main_window");
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  ShowAndShoot<CEditMemoryDlg>("program_edit_memory", true));
    View()->SelectChannel(9);
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY), ShowAndShoot<CEditMemoryDlg>("edit_memory_blank"));
    for (const char* page : {"settings_common", "settings_advanced"}) {
        wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING),
                      ShowAndShoot<CFixedFontPropertySheet>(page));
        View()->SetSettingsPage(1);
    }
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY), CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      TypeInto(XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY"), "121.51");
                      return PressButton(d, wxID_OK);
                  }));
    Shoot(Frame(), "status_note");
    wxUIActionSimulator keys; // the keyboard goes where the pointer is
    keys.MouseMove(Frame()->GetScreenRect().GetPosition() + wxPoint(200, 200));
    keys.Char('E', wxMOD_ALT);
    Shoot(Frame(), "edit_menu");
    keys.Char(WXK_ESCAPE);
    keys.Char('F', wxMOD_ALT);
    Shoot(Frame(), "file_menu");
    keys.Char(WXK_ESCAPE);
    keys.Char('P', wxMOD_ALT);
    Shoot(Frame(), "port_menu");
    keys.Char(WXK_ESCAPE);
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_AIRPORTS),
                  CExpectAction<CAirportImportDlg>([](CAirportImportDlg& d) {
                      TypeInto(d.GetIdentsEdit(), "EGLL KPAO");
                      WaitFor([&] { return !d.IsFilterPending(); });
                      Shoot(&d, "airport_import");
                      return wxID_CANCEL;
                  }));
    const std::string club = GetTestHome() + "/club.csv";
    WriteFileText(club, ReadFile(PWR_SAMPLE_DATA_DIR "/club-channels-chirp.csv"));
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), ExpectFile(club),
                  ShowAndShoot<CChirpImportDlg>("chirp_import"));
    SendCommand(ID_FILE_PRINT_PREVIEW);
    wxFrame* preview = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* f = dynamic_cast<wxPreviewFrame*>(w))
                preview = f;
        return preview != nullptr;
    }));
    Shoot(preview, "card_preview");
    preview->Close(true);
    // The card's own preview, which Windows shows where no printer is set up.
    wxPrintDialogData a5;
    a5.GetPrintData().SetPaperId(wxPAPER_A5);
    preview = new wxPreviewFrame(new CCardPreview(BuildDocumentCard(*Doc()), &a5, [](wxWindow*) {}),
                                 Frame(), "Print Preview");
    static_cast<wxPreviewFrame*>(preview)->Initialize();
    Shoot(preview, "card_preview_without_printer");
    preview->Close(true);
    CNewRadio transceiver;
    PutChannel(transceiver, 3, "121.500", "EDIT", true);
    transceiver.SetCloneComment("FIELD 7");
    auto* compare = new CCompareDlg(Frame(), ListDifferences(*Radio(), transceiver));
    Shoot(compare, "compare");
    compare->Destroy();
    // Check Connection with its Find Cable button, and Find Cable waiting and then done.
    CScriptedPortList ports({{"/dev/ttyS0"}});
    CFakeCloneClock clock;
    auto* check = new CConnectionCheckDlg(
        Frame(), 1, "/dev/ttyUSB0",
        [](const std::string& port) { return CConnectionDoctor("/", CDoctorUser::Current()).CheckAll(port); },
        ports, clock, [](int, const std::string&) {});
    Shoot(check, "connection_check");
    check->Destroy();
    for (const char* shot : {"find_cable", "find_cable_found"}) {
        CScriptedPortList cable({{"/dev/ttyS0", "/dev/ttyUSB0"}, {"/dev/ttyS0"}, {"/dev/ttyS0", "/dev/ttyUSB0"}});
        auto* find = new CFindCableDlg(Frame(), cable, clock, 1);
        // Found before it is first shown, so that it is painted whole in that state.
        if (shot != std::string("find_cable")) {
            EXPECT_TRUE(WaitFor([&] { return XrcCtrl<wxButton>(*find, "IDC_FIND_BIND")->IsEnabled(); }));
        }
        Shoot(find, shot);
        find->Destroy();
    }
    auto* about = new CAboutDialog(Frame());
    Shoot(about, "about");
    about->Destroy();
    SendCommand(ID_HELP_INDEX);
    GetPWR455App().GetHelpController()->Display("troubleshooting.htm");
    Shoot(GetPWR455App().GetHelpController()->GetFrame(), "help");
    GetPWR455App().GetHelpController()->GetFrame()->Close(true);
    StopProgram();
    StartProgram(wxString(), true);
    Shoot(CSplashWindow::GetSplashWindow(), "splash");
}
