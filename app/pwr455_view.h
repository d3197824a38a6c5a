#pragma once

// The view of the document: the channel list in the main window's client area. For now the
// list is a plain report list without rows; the channel list fills it in.

#include <wx/docview.h>

class wxListView;
class CR455Radio;

class CPWR455View : public wxView {
public:
    CPWR455View() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;

    // Called after File New and File Open (and once at start-up) before the first update.
    virtual void OnInitialUpdate();

    wxListView* GetListCtrl() const { return m_list; }
    // The document's radio data object; set when the view is created.
    CR455Radio* GetRadioData() const { return m_radioData; }

protected:
    wxListView* m_list = nullptr;
    CR455Radio* m_radioData = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS(CPWR455View);
};
