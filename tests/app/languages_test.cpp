// The windows in each language: in a pseudo-language made from the template (every text longer
// and accented) every visible text comes from the catalog, and in every language each label and
// button fits its control and each access key is used once per menu or dialog.
#include "tests/app/gui_test.h"

#include <map>
#include <regex>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stockitem.h>

#include "app/about_dialog.h"
#include "app/airport_import_dlg.h"
#include "app/compare_dlg.h"
#include "app/find_cable_dlg.h"
#include "app/list_view_ex.h"
#include "app/port_settings_dlg.h"
#include "language/program_language.h"
#include "exchange/data_differences.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/fake_port_list.h"

namespace {

const char kPseudo[] = "xx";

class LanguagesTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        wxSetEnv("PWR455_LOCALE_DIR", PWR_PSEUDO_LOCALE_DIR);
        ASSERT_EQ(UseLanguage(GetParam(), true), GetParam());
        StartProgram();
    }
    void TearDown() override
    {
        StopProgram();
        UseLanguage("en", true);
    }

    // One text a person reads; names, numbers, ports and paths are no catalog's.
    void CheckText(const wxString& text, bool fits, const std::string& where)
    {
        static const std::regex names("(PW-R455NORD|VX-R455NORD|COM[1-4]|[^A-Za-z])*|/.*");
        if (GetParam() == kPseudo) {
            EXPECT_TRUE(text.Contains("~]") || std::regex_match(text.utf8_string(), names))
                << where << ": \"" << text << "\" did not come through the catalog";
        }
        EXPECT_TRUE(fits) << where << ": \"" << text << "\" is cut";
    }

    static void CheckAccessKeys(const std::vector<wxString>& labels, const std::string& where)
    {
        std::map<wxUniChar, wxString> keys;
        for (const wxString& label : labels) {
            const size_t amp = label.find('&');
            if (amp == wxString::npos || amp + 1 >= label.length())
                continue;
            const auto [it, added] = keys.emplace(wxTolower(label[amp + 1]), label);
            EXPECT_TRUE(added) << where << ": \"" << label << "\" and \"" << it->second
                               << "\" share their access key";
        }
    }

    void CheckMenu(wxMenu* menu, const std::string& where)
    {
        std::vector<wxString> labels;
        for (wxMenuItem* item : menu->GetMenuItems()) {
            // The languages are named in their own words.
            const bool named = item->GetId() >= CmdId(ID_VIEW_LANGUAGE_EN) &&
                               item->GetId() <= CmdId(ID_VIEW_LANGUAGE_FI);
            if (item->IsSeparator() || named)
                continue;
            labels.push_back(item->GetItemLabel().BeforeFirst('\t'));
            CheckText(item->GetItemLabelText(), true, where);
            if (item->IsSubMenu())
                CheckMenu(item->GetSubMenu(), where + " > " + item->GetItemLabelText().utf8_string());
        }
        CheckAccessKeys(labels, where);
    }

    // Every label, button, list item and list header of `window` and its children.
    void CheckWindow(wxWindow* window, const std::string& where, std::vector<wxString>* labels = nullptr)
    {
        std::vector<wxString> own;
        for (wxWindow* child : window->GetChildren()) {
            if (!child->IsShown())
                continue;
            if (dynamic_cast<wxStaticText*>(child) || dynamic_cast<wxButton*>(child) ||
                dynamic_cast<wxCheckBox*>(child) || dynamic_cast<wxRadioButton*>(child) ||
                dynamic_cast<wxStaticBox*>(child)) {
                (labels ? labels : &own)->push_back(child->GetLabel());
                const wxString text = wxControl::GetLabelText(child->GetLabel());
                if (!text.empty() && !(wxIsStockID(child->GetId()) && wxIsStockLabel(child->GetId(), child->GetLabel())))
                    CheckText(text, child->GetBestSize().x <= child->GetSize().x, where);
            } else if (auto* choice = dynamic_cast<wxChoice*>(child)) {
                for (const wxString& item : choice->GetStrings())
                    CheckText(item, choice->GetBestSize().x <= choice->GetSize().x, where);
            } else if (auto* list = dynamic_cast<wxListCtrl*>(child)) {
                // The dialogs' lists size their columns to the headers; the channel list's
                // headers show whole at the default widths.
                auto* channels = dynamic_cast<CListViewEx*>(list);
                for (int c = 0; c < list->GetColumnCount(); ++c) {
                    wxListItem column;
                    column.SetMask(wxLIST_MASK_TEXT);
                    list->GetColumn(c, column);
                    bool cut = false;
                    if (channels)
                        channels->GetShownHeader(c, &cut);
                    if (!wxString(column.GetText()).Trim().empty())
                        CheckText(column.GetText(), !cut, where + " header");
                }
            }
            CheckWindow(child, where, labels ? labels : &own);
        }
        if (!labels)
            CheckAccessKeys(own, where);
    }

    template <class T>
    CExpectAction<T> Check(const std::string& where)
    {
        return CExpectAction<T>([=](T& dialog) {
            dialog.Show();
            CheckWindow(&dialog, where);
            return wxID_CANCEL;
        });
    }
};

TEST_P(LanguagesTest, EveryWindowSpeaksTheLanguageAndFits)
{
    // wxWidgets' own texts (stock buttons) come from its catalog of the language.
    if (GetParam() != kPseudo) {
        EXPECT_NE(wxGetStockLabel(wxID_CANCEL), "&Cancel") << "no wxstd catalog for " << GetParam();
    }
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    wxMenuBar* bar = frame->GetMenuBar();
    std::vector<wxString> titles;
    for (size_t m = 0; m < bar->GetMenuCount(); ++m) {
        titles.push_back(bar->GetMenuLabel(m));
        CheckText(bar->GetMenuLabelText(m), true, "menu bar");
        CheckMenu(bar->GetMenu(m), bar->GetMenuLabelText(m).utf8_string());
    }
    CheckAccessKeys(titles, "menu bar");
    CheckWindow(frame, "main window");
    // The channels' values fit their columns, whatever the size of the text.
    auto* view = dynamic_cast<CPWR455View*>(GetPWR455App().GetDocument()->GetFirstView());
    CListViewEx* list = view->GetListCtrl();
    for (const auto& [column, value] : {std::pair<int, const char*>{2, "136.975"}, {3, "GARDERM"}})
        EXPECT_LE(list->GetTextExtent(value).x + 6, list->GetColumnWidth(column)) << value;
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY), Check<CEditMemoryDlg>("Edit Memory"));
    for (int page = 0; page < 2; ++page) {
        dynamic_cast<CPWR455View*>(GetPWR455App().GetDocument()->GetFirstView())->SetSettingsPage(page);
        wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING),
                      Check<CFixedFontPropertySheet>("settings page " + std::to_string(page)));
    }
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_AIRPORTS), Check<CAirportImportDlg>("airport import"));
    wxTEST_DIALOG(SendCommand(ID_PORT_SETTINGS), Check<CPortSettingsDlg>("port settings"));
    CNewRadio other;
    other.SetCloneComment("FIELD 7");
    CCompareDlg compare(frame, ListDifferences(*GetPWR455App().GetDocument()->GetRadioData(), other));
    compare.Show();
    CheckWindow(&compare, "compare");
    CScriptedPortList ports({{"/dev/ttyS0"}});
    CFakeCloneClock clock;
    CFindCableDlg find(frame, ports, clock, 1);
    find.Show();
    CheckWindow(&find, "find cable");
    CAboutDialog about(frame);
    about.Show();
    CheckWindow(&about, "about");
}

std::vector<std::string> TestedLanguages()
{
    std::vector<std::string> languages{kPseudo};
    for (const wxString& code : wxSplit(PWR_CATALOG_LANGUAGES, ',', '\0'))
        if (!code.empty())
            languages.push_back(code.utf8_string());
    return languages;
}

INSTANTIATE_TEST_SUITE_P(Catalogs, LanguagesTest, testing::ValuesIn(TestedLanguages()));

} // namespace
