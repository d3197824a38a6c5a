// The program under a real window manager: placement, stacking, focus and the status text.
#include "tests/app/gui_test.h"

#include <algorithm>

#include <gtk/gtk.h>

#include "app/gui_clone_host.h"

#include <X11/Xatom.h> // last: its macros (None) clash with the program's names
#include <X11/Xlib.h>

namespace {

CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }

// The titles of the managed windows, bottom to top, as the window manager stacks them.
std::vector<std::string> StackedTitles()
{
    std::vector<std::string> titles;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return titles;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display),
                       XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False,
                       XA_WINDOW, &type, &format, &count, &after, &data);
    for (unsigned long i = 0; i < count; ++i) {
        char* name = nullptr;
        titles.push_back(XFetchName(display, reinterpret_cast<Window*>(data)[i], &name) && name
                             ? name : "");
        XFree(name);
    }
    XFree(data);
    XCloseDisplay(display);
    return titles;
}

int StackIndex(const wxString& title)
{
    const std::vector<std::string> titles = StackedTitles();
    const auto it = std::find(titles.begin(), titles.end(), title.utf8_string());
    return it == titles.end() ? -1 : static_cast<int>(it - titles.begin());
}

struct PlacementCase {
    wxRect rect;
    int cmdShow;
};

class PlacementTest : public testing::TestWithParam<PlacementCase> {};
using DesktopTest = ProgramTest;

} // namespace

// Four starts in a row keep the stored placement; the frame opens at the stored size. The second
// is closed while the window manager is still mapping the frame, after a passing position of the
// mapping (the screen's corner) has come in; in the third the window manager moves a normal one,
// which the fourth opens where it was moved to.
TEST_P(PlacementTest, ReopensAsClosed)
{
    const PlacementCase& c = GetParam();
    wxRect place = c.rect;
    const auto placement = [&] {
        return wxString::Format("[Window Position]\nLeft=%d\nTop=%d\nWidth=%d\nHeight=%d\n"
                                "CmdShow=%d\n", place.x, place.y, place.width, place.height,
                                c.cmdShow).utf8_string();
    };
    WriteFileText(GetProfilePath(), placement());
    for (int start = 0; start < 4; ++start) {
        StartProgram();
        if (start == 1) {
            Frame()->GTKConfigureEvent(0, 0); // not yet mapped: StartProgram handles no events
        } else {
            // Mapped and decorated by the window manager.
            ASSERT_TRUE(WaitFor([] { return Frame()->IsMapped() && Frame()->m_decorSize.top; }));
            if (c.cmdShow == 3)
                EXPECT_TRUE(WaitFor([] { return Frame()->IsMaximized(); }, 10000));
            else
                EXPECT_EQ(Frame()->GetSize().y - Frame()->m_decorSize.top -
                          Frame()->m_decorSize.bottom, c.rect.height);
        }
        if (start == 2 && c.cmdShow == 1) { // as it does when the user drags the title bar
            place.Offset(30, 20);
            gtk_window_move(GTK_WINDOW(Frame()->GetHandle()), place.x, place.y);
            EXPECT_TRUE(WaitFor([&] { return Frame()->GetPosition() == place.GetPosition(); }));
        }
        StopProgram();
        const std::string profile = ReadFile(GetProfilePath());
        EXPECT_NE(profile.find(placement()), std::string::npos) << start << ":\n" << profile;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, PlacementTest,
                         testing::Values(PlacementCase{{40, 60, 500, 300}, 1},
                                         PlacementCase{{100, 80, 640, 420}, 3}));

TEST_F(DesktopTest, SplashStaysAboveTheMainWindow)
{
    StopProgram();
    StartProgram(wxString(), true);
    CSplashWindow* splash = CSplashWindow::GetSplashWindow();
    ASSERT_NE(splash, nullptr);
    const wxString splashTitle = splash->GetTitle();
    const wxString frameTitle = Frame()->GetTitle();
    EXPECT_TRUE(WaitFor([&] { return StackIndex(frameTitle) >= 0 && StackIndex(splashTitle) >= 0; },
                        10000));
    EXPECT_GT(StackIndex(splashTitle), StackIndex(frameTitle));
}

TEST_F(DesktopTest, EditedRowStaysHighlightedWhileTheDialogHasTheFocus)
{
    CListViewEx* list = List();
    list->Select(4); // row 05
    list->GetRowsWindow()->SetFocus();
    bool highlighted = false;
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& dialog) {
                      dialog.Show();
                      dialog.Raise();
                      EXPECT_TRUE(WaitFor([&] { return dialog.IsActive(); }, 10000));
                      highlighted = list->IsRowHighlighted(4);
                      dialog.Hide();
                      return wxID_CANCEL;
                  }));
    EXPECT_TRUE(highlighted);
}

// A dialog shown and closed hands the window back to the list, even when nothing in the window
// had the keyboard before: the first arrow key moves the selection, Enter edits that row.
TEST_F(DesktopTest, KeyboardReturnsToTheListAfterADialog)
{
    using Sheet = CFixedFontPropertySheet;
    const auto showAndClose = [](wxDialog& dialog) {
        dialog.Show();
        EXPECT_TRUE(WaitFor([&] { return dialog.IsActive(); }, 10000));
        dialog.Hide();
        return wxID_CANCEL;
    };
    const auto listHasTheKeyboard = [] {
        const wxWindow* focus = wxWindow::FindFocus();
        return (focus == List() || focus == List()->GetRowsWindow()) &&
               List()->GetSelectedItemCount() == 1;
    };
    ASSERT_TRUE(WaitFor([&] { return Frame()->IsActive(); }));
    for (unsigned command : {ID_EDIT_MEMORY, ID_VIEW_COMMON_SETTING}) {
        gtk_window_set_focus(GTK_WINDOW(Frame()->GetHandle()), nullptr);
        if (command != ID_EDIT_MEMORY) // which needs a selected row
            List()->Select(List()->GetFirstSelected(), false);
        ASSERT_TRUE(WaitFor([&] { return !listHasTheKeyboard(); }));
        if (command == ID_EDIT_MEMORY) {
            wxTEST_DIALOG(SendCommand(command), CExpectAction<CEditMemoryDlg>(showAndClose));
        } else {
            wxTEST_DIALOG(SendCommand(command), CExpectAction<Sheet>(showAndClose));
        }
        EXPECT_TRUE(WaitFor(listHasTheKeyboard)) << command;
    }
}

TEST_F(DesktopTest, PromptsLeaveTheRunStatusText)
{
    CGuiCloneHost host;
    host.CreateProgress("Read");
    host.SetStatusText(" Now reading <- TR");
    static_cast<wxFrame*>(Frame())->DoGiveHelp("Read From Transceiver", true);
    EXPECT_EQ(Frame()->GetMessageText(), " Now reading <- TR");
    host.DestroyProgress(); // the run is over; the window waits for the result to be told
    host.EndProgress();
    static_cast<wxFrame*>(Frame())->DoGiveHelp("Read From Transceiver", true);
    EXPECT_EQ(Frame()->GetMessageText(), "Read From Transceiver");
}
