#include "app/pwr455_view.h"

#include <wx/listctrl.h>

#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"

wxIMPLEMENT_DYNAMIC_CLASS(CPWR455View, wxView);

bool CPWR455View::OnCreate(wxDocument* doc, long flags)
{
    if (!wxView::OnCreate(doc, flags))
        return false;
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    if (!frame)
        return false;
    m_list = new wxListView(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_THEME);
    m_radioData = static_cast<CPWR455Doc*>(doc)->GetRadioData();
    SetFrame(frame);
    frame->SendSizeEvent();
    return true;
}

// The document manager has already asked whether to save and closed the document when views
// close, so unlike wxView::OnClose this does not close the document a second time.
bool CPWR455View::OnClose(bool deleteWindow)
{
    if (deleteWindow && m_list) {
        m_list->Destroy();
        m_list = nullptr;
    }
    SetFrame(nullptr);
    return true;
}

void CPWR455View::OnDraw(wxDC*)
{
    // The list control paints itself.
}

void CPWR455View::OnUpdate(wxView*, wxObject*)
{
}

void CPWR455View::OnInitialUpdate()
{
    OnUpdate(nullptr, nullptr);
}
