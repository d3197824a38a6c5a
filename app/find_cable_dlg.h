#pragma once

// Find Cable, from the Check Connection window: tells the user to unplug the cloning cable and
// plug it in again, and names the port that came (clone/cable_finder.h). The port found can be
// bound to a COM port and checked (Bind and Check) or only checked; the dialog ends with the
// id of the button pressed.

#include <string>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "clone/cable_finder.h"

class CFindCableDlg : public wxDialog {
public:
    // `number`: the COM port offered for the binding at first.
    CFindCableDlg(wxWindow* parent, CPortList& ports, CCloneClock& clock, int number);

    // After Bind and Check or Check Only: the port found and the COM number chosen (1 to 4).
    const std::string& GetPort() const { return m_port; }
    int GetNumber() const;

private:
    void Start();
    void OnTimer(wxTimerEvent& event);
    // Shows what the finder says at its stage; the choices of a port found only then.
    void ShowStage();
    void OnEnd(wxCommandEvent& event);

    CCableFinder m_finder;
    wxTimer m_timer;
    std::string m_port;
};
