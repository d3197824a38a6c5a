// Pictures of the real Edit Memory dialog and both settings pages, for a person to look at.
// Runs only when PWR_SCREENSHOT_DIR names a folder; the pictures are PNG files there.

#include "tests/app/gui_test.h"

#include <cstdlib>

#include <wx/bookctrl.h>
#include <wx/utils.h>

#include "app/command_ids.h"
#include "app/common_setting.h"
#include "app/edit_memory_dlg.h"
#include "app/fixed_font_property_sheet.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "tests/app/recording_radio.h"

namespace {

// Answers a dialog by showing it on the screen and taking a picture of it.
template <class T>
class CShowAndShoot : public wxExpectModalBase<T, CShowAndShoot<T>> {
public:
    // `area`: the window whose screen rectangle is taken (the dialog itself when null).
    CShowAndShoot(std::string path, wxWindow* area = nullptr)
        : m_path(std::move(path)), m_area(area) {}

protected:
    int OnInvoked(T* dialog) const override
    {
        if (m_area) {
            const wxRect a = m_area->GetScreenRect();
            const wxSize d = dialog->GetSize();
            dialog->Move(a.x + (a.width - d.x) / 2, a.y + (a.height - d.y) / 2);
        } else {
            dialog->CentreOnScreen();
        }
        dialog->Show();
        PumpEvents(500);
        dialog->Raise();
        PumpEvents(300);
        wxRect r = dialog->GetScreenRect();
        if (m_area)
            r.Union(m_area->GetScreenRect());
        r.Inflate(8);
        r.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
        const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d %s",
                                                  r.width, r.height, r.x, r.y, m_path);
        EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command.utf8_string();
        dialog->Hide();
        return wxID_CANCEL;
    }

private:
    std::string m_path;
    wxWindow* m_area;
};

const char* ShotDir()
{
    return std::getenv("PWR_SCREENSHOT_DIR");
}

} // namespace

TEST(DialogScreenshots, EditMemoryAndBothSettingsPages)
{
    if (!ShotDir())
        GTEST_SKIP() << "PWR_SCREENSHOT_DIR not set";
    const std::string dir = ShotDir();
    CRecordingRadio radio;
    radio.PutChannel(3, "121.500", "TOWER", true, false);
    radio.PutChannel(6, "118.100", "GND");
    radio.SetPriorityChannel("3");
    radio.SetOpeningText("HELLO");
    radio.SetCloneComment("VEXA AIR");
    radio.Clear();

    CEditMemoryDlg used(nullptr, &radio, 3);
    wxTEST_DIALOG(used.ShowModal(), CShowAndShoot<CEditMemoryDlg>(dir + "/edit_memory.png"));
    CEditMemoryDlg blank(nullptr, &radio, 9);
    wxTEST_DIALOG(blank.ShowModal(), CShowAndShoot<CEditMemoryDlg>(dir + "/edit_memory_blank.png"));

    int page = 0;
    wxTEST_DIALOG(RunCommonSetting(nullptr, nullptr, &radio, &page, {}),
                  CShowAndShoot<CFixedFontPropertySheet>(dir + "/settings_common.png"));
    page = 1;
    wxTEST_DIALOG(RunCommonSetting(nullptr, nullptr, &radio, &page, {}),
                  CShowAndShoot<CFixedFontPropertySheet>(dir + "/settings_advanced.png"));
    EXPECT_TRUE(radio.Changes().empty());

    // The dialog over the program's window, opened from the channel list.
    StartProgram();
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    frame->SetSize(wxRect(100, 100, 760, 520));
    CR455Radio* data = GetPWR455App().GetDocument()->GetRadioData();
    std::string frequency = "121.500";
    data->SetChFrequency(3, frequency);
    data->SetChAppear(3, "ON");
    data->SetChName(3, "TOWER");
    auto* view = dynamic_cast<CPWR455View*>(GetPWR455App().GetDocument()->GetFirstView());
    ASSERT_NE(view, nullptr);
    view->RefreshAll();
    view->SelectChannel(3);
    PumpEvents(300);
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  CShowAndShoot<CEditMemoryDlg>(dir + "/program_edit_memory.png", frame));
    StopProgram();
}
