#include "app/fixed_font_property_sheet.h"

#include <wx/bookctrl.h>
#include <wx/choice.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"

namespace {

// The sheet font: the variable-pitch system font, italic, 50 pixels high.
constexpr int kSheetFontHeight = 50;

} // namespace

void SelectListEntry(wxChoice* list, const wxString& text)
{
    if (text.empty())
        return;
    const wxString wanted = text.Lower();
    for (unsigned i = 0; i < list->GetCount(); ++i) {
        if (list->GetString(i).Lower().StartsWith(wanted)) {
            list->SetSelection(static_cast<int>(i));
            return;
        }
    }
}

wxString GetListText(const wxChoice* list)
{
    return list->GetStringSelection();
}

void FillListEntries(wxChoice* list, std::initializer_list<unsigned> ids)
{
    list->Clear();
    for (unsigned id : ids)
        list->Append(ResString(id));
}

bool CSheetPage::OnSetActive()
{
    // The page's texts are set by now; a translation's may need more room than the layout has.
    const wxSize before = GetSize();
    WidenForTranslation(*this);
    auto* sheet = dynamic_cast<wxPropertySheetDialog*>(wxGetTopLevelParent(this));
    if (GetSize() != before && sheet) {
        SetMinSize(GetSize());
        sheet->LayoutDialog();
    }
    const bool filled = TransferDataToWindow();
    // Lists refilled on a page that is already shown are not always repainted (Windows).
    Refresh();
    return filled;
}

bool CSheetPage::OnKillActive()
{
    return TransferDataFromWindow();
}

void CSheetPage::LoadPage(wxWindow* parent, const char* name,
                          std::initializer_list<CXrcLabel> labels)
{
    LoadXrcPanel(*this, parent, name, labels);
    // The page keeps the size of its layout: the book sizes itself to the largest page.
    SetMinSize(GetSize());
}

CFixedFontPropertySheet::CFixedFontPropertySheet(unsigned captionId, wxWindow* parent,
                                                 int startPage)
    : m_startPage(startPage)
{
    Create(parent, wxID_ANY, ResString(captionId));
    SetIcons(GetProgramIcons());
    CreateButtons(wxOK | wxCANCEL);
}

bool CFixedFontPropertySheet::AddPage(CSheetPage* page)
{
    wxBookCtrlBase* book = GetBookCtrl();
    page->CreatePage(book);
    return book->AddPage(page, page->GetCaption(), false);
}

CSheetPage* CFixedFontPropertySheet::GetPage(size_t index) const
{
    wxBookCtrlBase* book = GetBookCtrl();
    return index < book->GetPageCount() ? dynamic_cast<CSheetPage*>(book->GetPage(index)) : nullptr;
}

CSheetPage* CFixedFontPropertySheet::GetActivePage() const
{
    const int selection = GetBookCtrl()->GetSelection();
    return selection == wxNOT_FOUND ? nullptr : GetPage(static_cast<size_t>(selection));
}

void CFixedFontPropertySheet::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    wxBookCtrlBase* book = GetBookCtrl();
    const int count = static_cast<int>(book->GetPageCount());
    if (count > 0) {
        const int start = m_startPage >= 0 && m_startPage < count ? m_startPage : 0;
        book->ChangeSelection(static_cast<size_t>(start));
    }
    LayoutDialog();

    wxFont font = wxSystemSettings::GetFont(wxSYS_ANSI_VAR_FONT);
    font.SetPixelSize(wxSize(0, kSheetFontHeight));
    font.SetStyle(wxFONTSTYLE_ITALIC);
    m_sheetFont = font;
    // The font is made but not put on the window: with GTK a font set on the sheet passes on
    // to the tabs and buttons, and a 50-pixel italic font would cut their texts. The pages
    // keep their own font, so the sheet looks as it always did.

    // Events only from now on: filling the book is not the user turning pages.
    book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CFixedFontPropertySheet::OnPageChanging, this);
    book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CFixedFontPropertySheet::OnPageChanged, this);
    if (CSheetPage* page = GetActivePage())
        page->OnSetActive();
}

int CFixedFontPropertySheet::ShowModal()
{
    OnInitDialog();
    return wxPropertySheetDialog::ShowModal();
}

bool CFixedFontPropertySheet::TransferDataToWindow()
{
    // Each page fills its controls when it becomes active.
    return true;
}

bool CFixedFontPropertySheet::TransferDataFromWindow()
{
    CSheetPage* page = GetActivePage();
    return page ? page->OnKillActive() : true;
}

void CFixedFontPropertySheet::OnPageChanging(wxBookCtrlEvent& event)
{
    if (event.GetEventObject() != GetBookCtrl()) {
        event.Skip();
        return;
    }
    const int old = event.GetOldSelection();
    if (old != wxNOT_FOUND) {
        CSheetPage* page = GetPage(static_cast<size_t>(old));
        if (page && !page->OnKillActive()) {
            event.Veto();
            return;
        }
    }
    event.Skip();
}

void CFixedFontPropertySheet::OnPageChanged(wxBookCtrlEvent& event)
{
    if (event.GetEventObject() != GetBookCtrl()) {
        event.Skip();
        return;
    }
    const int selection = event.GetSelection();
    if (selection != wxNOT_FOUND) {
        if (CSheetPage* page = GetPage(static_cast<size_t>(selection)))
            page->OnSetActive();
        if (m_pageChanged)
            m_pageChanged(selection);
    }
    event.Skip();
}
