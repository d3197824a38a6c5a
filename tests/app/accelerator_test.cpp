// Keys of the main frame's accelerator table, pressed for real on the channel list.

#include "tests/app/gui_test.h"

#include <vector>

#include <wx/eventfilter.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"

namespace {

// Records the id of every menu command, whoever handles it.
class CCommandRecorder : public wxEventFilter {
public:
    CCommandRecorder() { wxEvtHandler::AddFilter(this); }
    ~CCommandRecorder() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_MENU)
            m_ids.push_back(ResIdFromCmd(event.GetId()));
        return Event_Skip;
    }
    std::vector<unsigned> m_ids;
};

} // namespace

TEST(FrameAccelerators, KeysWithoutMenuItemsSendTheirCommands)
{
    StartProgram();
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    // Keyboard focus under a bare X server follows the pointer: put it on the list.
    wxWindow* list = nullptr;
    for (wxWindow* child : frame->GetChildren()) {
        if (dynamic_cast<wxListCtrl*>(child))
            list = child;
    }
    ASSERT_NE(list, nullptr);
    wxUIActionSimulator sim;
    sim.MouseMove(list->GetScreenRect().GetPosition() + wxPoint(60, 40));
    sim.MouseClick();
    PumpEvents(200);
    list->SetFocus();
    PumpEvents(100);

    const struct {
        int key;
        int modifiers;
        unsigned id;
    } keys[] = {
        {WXK_INSERT, wxMOD_CONTROL, 57634}, // Copy
        {WXK_INSERT, wxMOD_SHIFT, 57637},   // Paste (after the copy above)
        {'X', wxMOD_CONTROL, 57635},        // Cut: nothing handles it
        {WXK_DELETE, wxMOD_SHIFT, 57635},
        {'Z', wxMOD_CONTROL, 57643},        // Undo: nothing handles it
        {WXK_BACK, wxMOD_ALT, 57643},
        {WXK_F6, wxMOD_NONE, 57680},        // next and previous pane
        {WXK_F6, wxMOD_SHIFT, 57681},
    };
    for (const auto& k : keys) {
        CCommandRecorder recorder;
        if (k.id == 57637) {
            // Paste asks before it overwrites the selected channel; no is the answer here.
            wxTEST_DIALOG((sim.Char(k.key, k.modifiers), PumpEvents(150)),
                          wxExpectModal<wxMessageDialog>(wxID_CANCEL));
        } else {
            sim.Char(k.key, k.modifiers);
            PumpEvents(150);
        }
        EXPECT_EQ(recorder.m_ids, std::vector<unsigned>{k.id}) << "key " << k.key << " mod "
                                                              << k.modifiers;
    }
    StopProgram();
}
