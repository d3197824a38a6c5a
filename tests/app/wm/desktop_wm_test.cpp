// The program under a real window manager: placement, stacking, focus and the status text.
#include "tests/app/gui_test.h"

#include <algorithm>
#include <csignal>

#include <gtk/gtk.h>

#include "app/app_resources.h"
#include "app/gui_clone_host.h"
#include "tests/common/child_process.h"
#include "tests/common/test_system.h"

#include <X11/Xatom.h> // last: its macros (None) clash with the program's names
#include <X11/Xlib.h>

namespace {

CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }

// The windows listed in a property of the root window (the first one only, for a single window).
std::vector<Window> RootWindowList(Display* display, const char* property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, property, False),
                       0, 1024, False, XA_WINDOW, &type, &format, &count, &after, &data);
    std::vector<Window> windows(reinterpret_cast<Window*>(data),
                                reinterpret_cast<Window*>(data) + (data ? count : 0));
    XFree(data);
    return windows;
}

struct ManagedWindow {
    Window id;
    std::string title;
};

// The managed windows, bottom to top, as the window manager stacks them.
std::vector<ManagedWindow> StackedWindows()
{
    std::vector<ManagedWindow> stacked;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return stacked;
    for (Window id : RootWindowList(display, "_NET_CLIENT_LIST_STACKING")) {
        char* name = nullptr;
        stacked.push_back({id, XFetchName(display, id, &name) && name ? name : ""});
        XFree(name);
    }
    XCloseDisplay(display);
    return stacked;
}

std::vector<std::string> StackedTitles()
{
    std::vector<std::string> titles;
    for (const ManagedWindow& window : StackedWindows())
        titles.push_back(window.title);
    return titles;
}

int StackIndex(const wxString& title)
{
    const std::vector<std::string> titles = StackedTitles();
    const auto it = std::find(titles.begin(), titles.end(), title.utf8_string());
    return it == titles.end() ? -1 : static_cast<int>(it - titles.begin());
}

struct PlacementCase {
    const char* name;
    wxRect rect;
    int cmdShow;
};

// A failing case is reported by its name, not as a dump of its bytes.
void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

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
                         testing::Values(PlacementCase{"Normal", {40, 60, 500, 300}, 1},
                                         PlacementCase{"Maximised", {100, 80, 640, 420}, 3}),
                         [](const testing::TestParamInfo<PlacementCase>& test) {
                             return std::string(test.param.name);
                         });

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

namespace {

// The window manager's active window.
Window ActiveWindow()
{
    Display* display = XOpenDisplay(nullptr);
    const std::vector<Window> active =
        display ? RootWindowList(display, "_NET_ACTIVE_WINDOW") : std::vector<Window>();
    if (display)
        XCloseDisplay(display);
    return active.empty() ? 0 : active.front();
}

// Asks the window manager to close `window`, as its close button does.
void CloseWindow(Window window)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[1] = 2; // from a pager, as a person's request
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(display);
}

// The program's message box (titled as the program) once it is on the screen, 0 if none came.
Window WaitForMessageBox()
{
    const std::string title = ResString(IDS_APP_TITLE).utf8_string();
    Window box = 0;
    WaitFor(
        [&] {
            for (const ManagedWindow& window : StackedWindows())
                box = window.title == title ? window.id : box;
            return box != 0;
        },
        60000);
    return box;
}

// The box is in front and has the keyboard, and the window manager's close button answers it.
void AnswerInFront(Window box)
{
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<ManagedWindow> stacked = StackedWindows();
        return !stacked.empty() && stacked.back().id == box && ActiveWindow() == box;
    }));
    CloseWindow(box);
    EXPECT_TRUE(WaitFor([&] { return StackIndex(ResString(IDS_APP_TITLE)) < 0; }));
}

// What a person may give the program that it cannot open: a missing file, a file of another
// kind, a folder and a terminal.
std::vector<std::string> FilesThatDoNotOpen()
{
    const std::string home = GetTestHome();
    WriteFileText(home + "/notes.qrb", "no clone data\n");
    return {home + "/missing.qrb", home + "/notes.qrb", home, OpenTerminalDevice()};
}

} // namespace

// Started with a file it cannot open, the program says why in a box in front of everything and,
// once the box is answered, ends with status 1. Handed to a running copy, the same files each get
// the box there; the copy lives on and still opens a good file.
TEST(DesktopDoor, FilesThatDoNotOpenAreAnsweredByABoxInFront)
{
    // The window a person started the program from (a terminal) has the keyboard.
    auto* terminal = new wxFrame(nullptr, wxID_ANY, "Terminal");
    terminal->Show();
    ASSERT_TRUE(WaitFor([&] { return terminal->IsActive(); }));
    const auto titled = [](const std::string& title) { return StackIndex(title) >= 0; };
    for (const std::string& file : FilesThatDoNotOpen()) {
        CChildProcess program({PWR455_BINARY, file});
        const Window box = WaitForMessageBox();
        // Alone: a main window shown meanwhile could come up over it.
        EXPECT_FALSE(titled("Untitled - PW-R455NORD")) << file;
        AnswerInFront(box);
        const ProcessResult result = program.Finish();
        EXPECT_EQ(result.status, 1) << file << " ended by signal " << result.signal;
    }

    CChildProcess running({PWR455_BINARY});
    // The splash has gone by itself.
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<ManagedWindow> stacked = StackedWindows();
        return stacked.size() == 2 && titled("Untitled - PW-R455NORD");
    }, 60000));
    terminal->Raise();
    ASSERT_TRUE(WaitFor([&] { return terminal->IsActive(); }));
    for (const std::string& file : FilesThatDoNotOpen()) {
        EXPECT_EQ(RunProcess({PWR455_BINARY, file}).status, 0) << file;
        AnswerInFront(WaitForMessageBox());
        EXPECT_TRUE(titled("Untitled - PW-R455NORD")) << file;
    }
    CNewRadio data;
    WriteFileText(GetTestHome() + "/good.qrb", Store(data));
    EXPECT_EQ(RunProcess({PWR455_BINARY, GetTestHome() + "/good.qrb"}).status, 0);
    EXPECT_TRUE(WaitFor([&] { return titled("good.qrb - PW-R455NORD"); }, 60000));
    running.Signal(SIGTERM);
    EXPECT_EQ(running.Finish().status, 0);
    terminal->Destroy();
    WaitFor([&] { return !titled("Terminal"); });
}
