#include "app/main_status_bar.h"

#include <wx/utils.h>

#include "app/accessibility.h"
#include "app/app_resources.h"
#include "res/resource_ids.h"

namespace {

// Room around an indicator's text inside its pane.
constexpr int kPanePadding = 12;

} // namespace

CMainStatusBar::CMainStatusBar(wxWindow* parent)
    : wxStatusBar(parent, wxID_ANY, wxSTB_DEFAULT_STYLE & ~wxSTB_SHOW_TIPS)
{
    const unsigned paneText[kPaneCount] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                           ID_INDICATOR_SCRL, IDS_BLANK_PANE};
    int widths[kPaneCount] = {-1};
    for (int i = 1; i < kPaneCount; ++i)
        widths[i] = GetTextExtent(ResString(paneText[i])).GetWidth() + kPanePadding;
    SetFieldsCount(kPaneCount, widths);
    UpdateIndicators();
    SetAccessibleStatusText(this, GetStatusText(kMessagePane));
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        ShowWholeMessageAsTip();
    });
}

// A message wider than its pane ends in "..."; the tooltip shows it whole.
void CMainStatusBar::ShowWholeMessageAsTip()
{
    const wxString text = GetStatusText(kMessagePane);
    wxRect pane;
    GetFieldRect(kMessagePane, pane);
    const bool cut = GetTextExtent(text).GetWidth() + kPanePadding > pane.GetWidth();
    if (GetToolTipText() != (cut ? text : wxString()))
        SetToolTip(cut ? text : wxString());
}

// Every text shown, pushed or popped passes here.
void CMainStatusBar::DoUpdateStatusText(int number)
{
    wxStatusBar::DoUpdateStatusText(number);
    if (number == kMessagePane) {
        SetAccessibleStatusText(this, GetStatusText(kMessagePane));
        ShowWholeMessageAsTip();
    }
}

void CMainStatusBar::UpdateIndicators()
{
    ShowIndicators(wxGetKeyState(WXK_CAPITAL), wxGetKeyState(WXK_NUMLOCK),
                   wxGetKeyState(WXK_SCROLL));
}

void CMainStatusBar::ShowIndicators(bool caps, bool num, bool scroll)
{
    const struct {
        int pane;
        bool on;
        unsigned text;
    } indicators[] = {{kCapsPane, caps, ID_INDICATOR_CAPS},
                      {kNumPane, num, ID_INDICATOR_NUM},
                      {kScrollPane, scroll, ID_INDICATOR_SCRL}};
    for (const auto& i : indicators) {
        const wxString text = i.on ? ResString(i.text) : wxString();
        if (GetStatusText(i.pane) != text)
            SetStatusText(text, i.pane);
    }
}
