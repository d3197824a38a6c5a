#include "app/main_window.h"

#include "app/engine_text.h"
#include "profile/profile.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

CMainWindow* g_mainWindow = nullptr;

} // namespace

CMainWindow* GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(CMainWindow* window)
{
    g_mainWindow = window;
}

wxFrame* GetMainFrame()
{
    return g_mainWindow ? g_mainWindow->GetFrame() : nullptr;
}

void ShowStatusText(const std::string& text)
{
    if (g_mainWindow)
        g_mainWindow->SetMessageText(FromEngine(text));
}

void ClearStatusText()
{
    ShowStatusText(LoadResString(IDS_IDLE_MESSAGE));
}

void ShowProfileWarning()
{
    // Standard error has it too, but a desktop user never sees that.
    const std::string& warning = CProfile::Session().GetWarning();
    if (!warning.empty())
        ShowStatusText(FormatText(LoadResString(IDS_PROFILE_WARNING_STATUS), {warning}));
}
