// Pictures of the real Edit Memory dialog and both settings pages, for a person to look at.
// Runs only when PWR_SCREENSHOT_DIR names a folder; the pictures are PNG files there.

#include "tests/app/gui_test.h"

#include <cstdlib>

#include <wx/bookctrl.h>
#include <wx/utils.h>

#include "app/common_setting.h"
#include "app/edit_memory_dlg.h"
#include "app/fixed_font_property_sheet.h"
#include "tests/app/recording_radio.h"

namespace {

// Answers a dialog by showing it on the screen and taking a picture of it.
template <class T>
class CShowAndShoot : public wxExpectModalBase<T, CShowAndShoot<T>> {
public:
    CShowAndShoot(std::string path, std::function<void(T&)> prepare = {})
        : m_path(std::move(path)), m_prepare(std::move(prepare)) {}

protected:
    int OnInvoked(T* dialog) const override
    {
        dialog->CentreOnScreen();
        dialog->Show();
        if (m_prepare)
            m_prepare(*dialog);
        PumpEvents(500);
        dialog->Raise();
        PumpEvents(300);
        const wxRect r = dialog->GetScreenRect().Inflate(8);
        const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d %s",
                                                  r.width, r.height, r.x, r.y, m_path);
        EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command.utf8_string();
        dialog->Hide();
        return wxID_CANCEL;
    }

private:
    std::string m_path;
    std::function<void(T&)> m_prepare;
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
}
