#include "app/common_setting.h"

#include <wx/docview.h>

#include "app/fixed_font_property_sheet.h"
#include "app/property_page_c31.h"
#include "app/property_page_c32.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"

int RunCommonSetting(wxWindow* parent, wxDocument* document, CR455Radio* radioData,
                     int* settingsPage, const std::function<void()>& refreshAll,
                     std::string* note)
{
    std::string stored;
    int result = wxID_CANCEL;
    {
        CFixedFontPropertySheet sheet(IDS_SETTING_CAPTION, parent,
                                      settingsPage ? *settingsPage : 0);
        // The sheet owns the pages; they live until it goes.
        auto* common = new CPropertyPageC31(radioData);
        auto* advanced = new CPropertyPageC32(radioData);
        const bool commonAdded = sheet.AddPage(common);
        const bool advancedAdded = sheet.AddPage(advanced);
        if (settingsPage)
            sheet.SetPageChangedHandler([settingsPage](int page) { *settingsPage = page; });
        result = sheet.ShowModal();
        if (result == wxID_OK) {
            if (commonAdded)
                stored = common->ApplyToRadio();
            if (advancedAdded)
                advanced->ApplyToRadio();
            if (document) {
                document->Modify(true);
                document->UpdateAllViews();
            }
        }
    }
    if (radioData)
        radioData->Heal();
    if (refreshAll)
        refreshAll();
    if (note)
        *note = stored;
    return result == wxID_OK ? wxID_OK : wxID_CANCEL;
}
