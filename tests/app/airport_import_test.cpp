#include "tests/app/gui_test.h"

#include <wx/dcmemory.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>

#include "app/airport_import_command.h"
#include "app/airport_import_dlg.h"
#include "app/app_resources.h"
#include "app/card_preview.h"
#include "app/card_printing.h"
#include "app/card_printout.h"
#include "radio/undo_history.h"
#include "tests/common/child_process.h"

namespace {

long FindRow(wxListCtrl* list, const char* listedMHz)
{
    for (long i = 0; i < list->GetItemCount(); ++i)
        if (list->GetItemText(i, CAirportImportDlg::kListed) == listedMHz)
            return i;
    ADD_FAILURE() << "no row " << listedMHz;
    return 0;
}

} // namespace

TEST_F(ProgramTest, AirportImportFiltersGreysAndAppliesTheTickedOnes)
{
    CR455Radio& radio = *Radio();
    PutChannel(radio, 7, "121.500", "");
    const struct {
        unsigned from;
        bool overwrite;
        const char* summary;
        const char* notFit; // the message after the import; none when empty
    } cases[] = {
        {5, false, "Into channels 5-6, 8-16 (11 in all).", ""},
        {12, true, "Into channels 12-20 (9 in all). Do not fit: EGLLTW2 118.700, EGLLTW3 124.475.",
         "9 frequencies were imported. These did not fit in the channels: EGLLTW2 118.700, "
         "EGLLTW3 124.475."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        auto action = [&](CAirportImportDlg& d) {
            wxListCtrl* list = d.GetListCtrl();
            d.GetIdentsEdit()->SetValue("egl");
            EXPECT_TRUE(WaitFor([&] { return !d.IsFilterPending(); }));
            EXPECT_EQ(list->GetItemCount(), 0);
            EXPECT_EQ(d.GetStatusText(), "Not in the list: EGL.");
            // The rows follow once typing pauses, not at every key.
            d.GetIdentsEdit()->SetValue("egll, nope");
            EXPECT_TRUE(d.IsFilterPending());
            EXPECT_EQ(list->GetItemCount(), 0);
            EXPECT_TRUE(WaitFor([&] { return !d.IsFilterPending(); }));
            EXPECT_EQ(list->GetItemCount(), 15);
            EXPECT_EQ(d.GetStatusText(), "15 frequencies found; 12 of them can be stored with the "
                                         "channel spacing 25kHz. Not in the list: NOPE.");
            const long nav = FindRow(list, "113.75");
            EXPECT_FALSE(list->IsItemChecked(nav));
            EXPECT_EQ(list->GetItemText(nav, CAirportImportDlg::kNote),
                      "outside 118.000 to 136.980 MHz");
            list->CheckItem(nav, true); // cannot be ticked
            EXPECT_FALSE(list->IsItemChecked(nav));
            // Space and Enter tick and untick the row with the focus; the first gives a list
            // without one a focused row. The ATIS is not wanted.
            auto press = [list](int key) {
                wxKeyEvent event(wxEVT_KEY_DOWN);
                event.m_keyCode = key;
                list->HandleWindowEvent(event);
            };
            press(WXK_SPACE);
            EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 0);
            const long atis = FindRow(list, "128.075");
            list->SetItemState(atis, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
            for (int key : {WXK_SPACE, WXK_RETURN, WXK_SPACE})
                press(key);
            EXPECT_FALSE(list->IsItemChecked(atis));
            // Every column is as wide as its title (i -1) and its widest text.
            for (int col = 0; col < CAirportImportDlg::kColumnCount; ++col) {
                const wxString title = ResString(IDS_AIR_COLUMN_IDENT + static_cast<unsigned>(col));
                for (long i = -1; i < list->GetItemCount(); ++i)
                    EXPECT_GT(list->GetColumnWidth(col), list->GetTextExtent(i < 0 ? title : list->GetItemText(i, col)).x);
            }
            auto* from = XrcCtrl<wxSpinCtrl>(d, "IDC_AIRPORT_FROM");
            from->SetValue(static_cast<int>(c.from));
            wxCommandEvent spin(wxEVT_SPINCTRL, from->GetId());
            from->ProcessWindowEvent(spin);
            auto* overwrite = XrcCtrl<wxRadioButton>(d, "IDC_AIRPORT_OVERWRITE");
            overwrite->SetValue(c.overwrite);
            wxCommandEvent click(wxEVT_RADIOBUTTON, overwrite->GetId());
            overwrite->ProcessWindowEvent(click);
            EXPECT_EQ(d.GetSummaryText(), c.summary);
            EXPECT_EQ(list->GetItemText(FindRow(list, "121.975"), CAirportImportDlg::kName),
                      "EGLLCLD");
            return PressButton(d, wxID_OK);
        };
        wxTEST_DIALOG(EXPECT_TRUE(RunAirportImport(*Doc(), 5, nullptr)),
                      CExpectAction<CAirportImportDlg>(action),
                      CExpectMessage(c.notFit, wxID_OK).Optional());
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Row(c.from)[3] + "|" + Row(c.from)[4], "EGLLCLD|"); // not inhibited
        EXPECT_EQ(radio.GetChFrequency(7), "121.500");
    }
    EXPECT_EQ(Doc()->GetHistory().GetUndoName(), "Import Airport Frequencies");
    EXPECT_TRUE(Doc()->GetHistory().Undo() && Doc()->GetHistory().Undo());
    EXPECT_EQ(radio.GetChAppear(5) + radio.GetChFrequency(7), "OFF121.500");
}

size_t DarkPixels(const wxBitmap& bitmap)
{
    const wxImage image = bitmap.ConvertToImage();
    size_t dark = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight() * 3; i += 3)
        dark += image.GetData()[i] < 128;
    return dark;
}

TEST_F(ProgramTest, TheCardIsDrawnOnThePrintersPage)
{
    CCardPrintout printout(BuildDocumentCard(*Doc()));
    EXPECT_EQ(BuildDocumentCard(*Doc()).fileName, "Untitled");
    wxBitmap bitmap(420, 595);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    EXPECT_TRUE(printout.OnPrintPage(1));
    dc.SelectObject(wxNullBitmap);
    EXPECT_GT(DarkPixels(bitmap), 1000u); // the title, twenty rows and the settings
}

TEST_F(ProgramTest, TheCardsOwnPreviewShowsThePaperWithoutAPrinter)
{
    struct CPeek : CCardPreview {
        using CCardPreview::CCardPreview;
        const wxBitmap& Page() const { return *m_previewBitmap; }
    };
    wxPrintDialogData setup;
    setup.GetPrintData().SetPaperId(wxPAPER_A4);
    setup.GetPrintData().SetOrientation(wxLANDSCAPE);
    wxWindow* printedFrom = nullptr;
    auto* preview = new CPeek(BuildDocumentCard(*Doc()), &setup,
                              [&](wxWindow* parent) { printedFrom = parent; });
    auto* frame = new wxPreviewFrame(preview, Frame());
    frame->Initialize();
    ASSERT_TRUE(preview->IsOk() && preview->RenderPage(1));
    const wxBitmap& page = preview->Page();
    EXPECT_NEAR(double(page.GetWidth()) / page.GetHeight(), 297.0 / 210, 0.02); // A4 turned
    EXPECT_GT(DarkPixels(page), 1000u);
    preview->Print(true); // the preview's Print button prints from the preview's window
    EXPECT_EQ(printedFrom, frame);
    frame->Close(true);
}

TEST_F(ProgramTest, TheCardIsExportedAsPdfAndAFailedExportLeavesTheFilesAsTheyWere)
{
    UseChannel(2, "121.500", "TOWER");
    UseChannel(3, "122.800", "UNICOM");
    const std::string home = GetTestHome(), pdf = home + "/card.pdf";
    wxTEST_DIALOG(SendCommand(ID_FILE_EXPORT_CARD), ExpectFile(home + "/card")); // gets .pdf
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    const std::string text = RunProcess({"/usr/bin/pdftotext", "-layout", pdf, "-"}).out;
    EXPECT_NE(text.find("TOWER"), std::string::npos) << text;
    EXPECT_NE(text.find("UNICOM"), std::string::npos) << text;
    EXPECT_EQ(Status(), "Kneeboard card saved to " + pdf);

    const std::string document = home + "/flight.qrb";
    wxTEST_DIALOG(SendCommand(ID_FILE_SAVE_AS), ExpectFile(document));
    const struct {
        std::string path, reason;
    } failures[] = {
        {home + "/no/such/folder/card.pdf", "?*"}, // the system's words
        {document, "it is the file of the open document"},
    };
    const auto contents = [](const std::string& path) {
        return std::filesystem::exists(path) ? ReadFile(path) : "(none)";
    };
    for (const auto& f : failures) {
        const std::string before = contents(f.path);
        bool exported = true;
        wxTEST_DIALOG(exported = ExportCardToFile(*Doc(), f.path, Frame()),
                      CExpectAction<wxMessageDialog>([&](wxMessageDialog& box) {
                          EXPECT_TRUE(box.GetMessage().Matches(
                              f.path + "\nThe kneeboard card could not be exported:\n" + f.reason))
                              << box.GetMessage();
                          return wxID_OK;
                      }));
        EXPECT_FALSE(exported);
        EXPECT_EQ(contents(f.path), before) << f.path;
    }
}
