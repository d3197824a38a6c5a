#pragma once

// The status bar: the message pane, the CAP, NUM and SCRL indicators, and a blank pane sized
// by six spaces. Screen readers read the message pane's text as the status bar's.

#include <wx/statusbr.h>

class CMainStatusBar : public wxStatusBar {
public:
    enum EPane { kMessagePane, kCapsPane, kNumPane, kScrollPane, kBlankPane, kPaneCount };

    explicit CMainStatusBar(wxWindow* parent);

    // Shows each indicator's text while its lock key is on, nothing while it is off.
    void UpdateIndicators();
    // Same, with the key states given (for the idle handler and for tests).
    void ShowIndicators(bool caps, bool num, bool scroll);

protected:
    void DoUpdateStatusText(int number) override;

private:
    void ShowWholeMessageAsTip();
};
