#pragma once

// The settings sheet: a modal property sheet with OK and Cancel (no Apply, no Help) whose
// pages are CSheetPage panels. It opens on a chosen page and tells its owner, through a
// callback, which page the user has just turned to.

#include <functional>
#include <initializer_list>

#include <wx/font.h>
#include <wx/panel.h>
#include <wx/propdlg.h>

#include "app/xrc_util.h"

class wxBookCtrlEvent;
class wxChoice;

// A page of the sheet: it fills its controls each time it becomes active and moves them back
// into its members when it stops being active.
class CSheetPage : public wxPanel {
public:
    // Makes the page's window inside the sheet's book.
    virtual void CreatePage(wxWindow* parent) = 0;
    // Default activation: members into the controls.
    virtual bool OnSetActive();
    // Default deactivation: controls into the members; false keeps the page active.
    virtual bool OnKillActive();
    // The tab text of the page.
    virtual wxString GetCaption() const = 0;

protected:
    // Makes the page from XRC panel `name` inside `parent`, its controls `labels` showing their
    // texts of the string table.
    void LoadPage(wxWindow* parent, const char* name, std::initializer_list<CXrcLabel> labels);
};

// A drop-down list exchanged as a string. To the window, the first entry that begins with
// `text` (case ignored) is selected; nothing changes when no entry matches or `text` is empty.
// From the window, the shown entry's text (empty when none is selected).
void SelectListEntry(wxChoice* list, const wxString& text);
wxString GetListText(const wxChoice* list);
// Empties the drop-down list and fills it with the string resources `ids`, in that order.
void FillListEntries(wxChoice* list, std::initializer_list<unsigned> ids);

class CFixedFontPropertySheet : public wxPropertySheetDialog {
public:
    // `captionId`: string resource of the title; `startPage`: index of the page shown first.
    CFixedFontPropertySheet(unsigned captionId, wxWindow* parent, int startPage);

    // Makes the page's window and adds it after those already added; the sheet owns the page
    // from now on. False when the book did not take it.
    bool AddPage(CSheetPage* page);

    // Called with the index of the page that has just become active when the user turns to
    // another page; not for the page the sheet opens on.
    void SetPageChangedHandler(std::function<void(int)> handler)
    {
        m_pageChanged = std::move(handler);
    }

    // Lays the sheet out, makes the sheet font, activates the start page and runs the sheet.
    // Returns wxID_OK or wxID_CANCEL.
    int ShowModal() override;

    // On OK only the active page moves its controls into its members; a page that was never
    // shown keeps the values it loaded.
    bool TransferDataFromWindow() override;
    bool TransferDataToWindow() override;

    CSheetPage* GetActivePage() const;
    CSheetPage* GetPage(size_t index) const;

private:
    void OnInitDialog();
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);

    int m_startPage;
    bool m_initialised = false;
    wxFont m_sheetFont;
    std::function<void(int)> m_pageChanged;
};
