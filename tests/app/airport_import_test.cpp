// Air-band additions of the desktop program: File > Import Airport Frequencies (filtering as the
// user types, greyed rows, ticks, placement, the one applying step), the carrier note of the
// Edit Memory dialog, and the kneeboard card drawn through a print preview's DC.

#include "tests/app/gui_test.h"

#include <wx/dcmemory.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/airport_import_command.h"
#include "app/airport_import_dlg.h"
#include "app/card_printing.h"
#include "app/card_printout.h"
#include "app/edit_memory_dlg.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/xrc_util.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"

namespace {

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

long FindRow(wxListCtrl* list, const char* listedMHz)
{
    for (long i = 0; i < list->GetItemCount(); ++i)
        if (list->GetItemText(i, CAirportImportDlg::kListed) == listedMHz)
            return i;
    ADD_FAILURE() << "no row " << listedMHz;
    return 0;
}

} // namespace

TEST(AirportImport, FiltersAsTypedGreysWhatCannotBeHeldAndAppliesTheTickedOnes)
{
    StartProgram();
    CR455Radio& radio = *Doc()->GetRadioData();
    std::string frequency = "121.500";
    radio.SetChFrequency(7, frequency);
    radio.SetChAppear(7, "ON");
    const struct {
        unsigned from;
        bool overwrite;
        const char* summary;
        const char* notFit; // the message after the import, if any
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
            EXPECT_EQ(list->GetItemCount(), 0);
            EXPECT_EQ(d.GetStatusText(), "Not in the list: EGL.");
            d.GetIdentsEdit()->SetValue("egll, nope");
            EXPECT_EQ(list->GetItemCount(), 15);
            EXPECT_EQ(d.GetStatusText(), "15 frequencies found; 12 of them can be stored with the "
                                         "channel spacing 25kHz. Not in the list: NOPE.");
            const long nav = FindRow(list, "113.75");
            EXPECT_FALSE(list->IsItemChecked(nav));
            EXPECT_EQ(list->GetItemText(nav, CAirportImportDlg::kNote),
                      "outside 118.000 to 136.980 MHz");
            list->CheckItem(nav, true); // cannot be ticked
            EXPECT_FALSE(list->IsItemChecked(nav));
            EXPECT_EQ(list->GetItemText(FindRow(list, "121.935"), CAirportImportDlg::kNote),
                      "needs 8.33 kHz spacing");
            list->CheckItem(FindRow(list, "128.075"), false); // the ATIS: not wanted
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
        if (*c.notFit) {
            wxTEST_DIALOG(EXPECT_TRUE(RunAirportImport(*Doc(), 5, nullptr)),
                          CExpectAction<CAirportImportDlg>(action),
                          CExpectMessage(c.notFit, wxID_OK));
        } else {
            wxTEST_DIALOG(EXPECT_TRUE(RunAirportImport(*Doc(), 5, nullptr)),
                          CExpectAction<CAirportImportDlg>(action));
        }
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(radio.GetChName(c.from), "EGLLCLD");
        EXPECT_EQ(radio.GetChTxInhibit(c.from), "OFF");
        auto* view = dynamic_cast<CPWR455View*>(Doc()->GetFirstView());
        EXPECT_EQ(view->GetRowTexts(c.from)[3], "EGLLCLD");
        EXPECT_EQ(radio.GetChFrequency(7), "121.500");
    }
    // Each import is one undoable step.
    EXPECT_EQ(Doc()->GetHistory().GetUndoName(), "Import Airport Frequencies");
    EXPECT_TRUE(Doc()->GetHistory().Undo() && Doc()->GetHistory().Undo());
    EXPECT_EQ(radio.GetChAppear(5) + radio.GetChFrequency(7), "OFF121.500");
    StopProgram();
}

TEST(AirportImport, EditMemoryShowsTheCarrierOfWhatIsTyped)
{
    CR455Radio radio;
    radio.ResetData();
    radio.SetChSpacing("8.33kHz");
    CEditMemoryDlg dialog(nullptr, &radio, 3);
    wxTEST_DIALOG(dialog.ShowModal(), CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      auto* edit = XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY");
                      auto* note = XrcCtrl<wxStaticText>(d, "IDC_STATIC_CARRIER");
                      const std::pair<const char*, const char*> typed[] = {
                          {"118.01", "8.33 kHz channel, carrier 118.0083 MHz"},
                          {"118.0083",
                           "8.33 kHz channel, carrier 118.0083 MHz\nStored as 118.010."},
                          {"121.5", "8.33 kHz channel, carrier 121.5000 MHz\nStored as 121.505."},
                          {"", ""},
                      };
                      for (const auto& [text, expected] : typed) {
                          edit->SetValue(text);
                          EXPECT_EQ(note->GetLabel(), expected) << text;
                      }
                      return PressButton(d, wxID_CANCEL);
                  }));
}

TEST(AirportImport, TheCardIsDrawnOnAPreviewBitmap)
{
    StartProgram();
    CCardPrintout printout(BuildDocumentCard(*Doc()));
    EXPECT_EQ(BuildDocumentCard(*Doc()).fileName, "Untitled");
    wxBitmap bitmap(420, 595);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    EXPECT_TRUE(printout.OnPrintPage(1));
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    size_t dark = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight() * 3; i += 3)
        dark += image.GetData()[i] < 128;
    EXPECT_GT(dark, 1000u); // the title, twenty rows and the settings
    StopProgram();
}
