#include "tests/app/gui_test.h"

#include <wx/listctrl.h>
#include <wx/radiobut.h>

#include "app/channel_import_export.h"
#include "app/chirp_import_dlg.h"
#include "radio/undo_history.h"
#include "tests/common/test_files.h"
#include "tests/common/test_system.h"

TEST_F(ProgramTest, ExportedChannelsComeBackByImportAndBadFilesChangeNothing)
{
    PutChannel(*Radio(), 2, "121.500", "TOWER");
    const std::string path = GetTestHome() + "/channels.csv", bad = GetTestHome() + "/bad.csv";
    wxTEST_DIALOG(SendCommand(ID_FILE_EXPORT_CHANNELS), ExpectFile(path));
    // A new data set, then import: the exported channels are back and the list shows them.
    Doc()->DiscardChanges();
    SendCommand(ID_FILE_NEW);
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), ExpectFile(path));
    EXPECT_EQ(Row(2), (RowTexts{"02", "", "121.500", "TOWER", "", "", ""}));
    EXPECT_TRUE(Doc()->IsModified());
    // A club's names with Nordic letters come in as ICAO spells them, and the status bar says so.
    WriteFileText(path, "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n3,119.0,\xC3\x98RSTA,,\r\n");
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), ExpectFile(path));
    EXPECT_EQ(Row(3)[3] + "|" + Status(), "ORSTA|CH 03: the name \"\xC3\x98RSTA\" is stored as "
                                          "\"ORSTA\" (letters spelled as ICAO writes them)");

    Doc()->DiscardChanges();
    WriteFileText(bad, "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n3,119.000,NEW,OFF,OFF\r\n"
                       "4,abc,BAD,OFF,OFF\r\n");
    const std::string missing = GetTestHome() + "/none.csv", big = GetTestHome() + "/big.csv";
    WriteFileText(big, std::string(2 << 20, '#'));
    const std::string out = GetTestHome() + "/no/such/folder/out.csv";
    bool done = true;
    wxTEST_DIALOG((SendCommand(ID_FILE_IMPORT_CHANNELS),
                   done = ImportChannelsFromFile(*Doc(), missing, Frame()) ||
                          ImportChannelsFromFile(*Doc(), big, Frame()) ||
                          ExportChannelsToFile(*Doc(), out, Frame())),
                  ExpectFile(bad),
                  CExpectMessage(bad + "\nNo channels were imported:\nLine 3, field Frequency: "
                                       "\"abc\" is not a frequency in MHz.", wxID_OK),
                  CExpectMessage(missing + "\nThe file could not be read:\n" +
                                     MissingFileReason(), wxID_OK),
                  CExpectMessage(big + "\nThe file is too large to be a list of channels.",
                                 wxID_OK),
                  CExpectAction<wxMessageDialog>([&](wxMessageDialog& box) {
                      // The system's reason follows.
                      EXPECT_TRUE(box.GetMessage().Matches(
                          out + "\nThe channels could not be exported:\n?*"));
                      return wxID_OK;
                  }));
    EXPECT_FALSE(done);
    EXPECT_FALSE(Doc()->IsModified());
}

// The club's list in CHIRP's layout, numbered from 0 with rows for other radios, goes in order
// from the selected channel; every row left out is in the dialog and in the summary.
TEST_F(ProgramTest, AListInTheLayoutOfChirpGoesInFromTheSelectedChannelAsOneStep)
{
    const std::string path = GetTestHome() + "/club.csv";
    WriteFileText(path, ReadFile(PWR_SAMPLE_DATA_DIR "/club-channels-chirp.csv"));
    PutChannel(*Radio(), 2, "121.500", "KEEP");
    View()->SelectChannel(5);
    const std::string summary = "Rows that became channels: 16. Rows left out: 6.\n"
                                "Left out, needs 8.33 kHz spacing: line 15\n"
                                "Left out, mode other than AM: lines 2, 18, 19\n"
                                "Left out, transmit offset or split: line 21\n"
                                "Left out, no channel left after CH 20: line 23";
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), ExpectFile(path),
                  CExpectAction<CChirpImportDlg>([&](CChirpImportDlg& d) {
                      wxListCtrl* list = d.GetListCtrl();
                      EXPECT_EQ(list->GetItemCount(), 22);
                      EXPECT_EQ(list->GetItemText(0, 5), "mode other than AM"); // Location 0
                      EXPECT_EQ(list->GetItemText(1, 4), "01");
                      d.GetInOrderButton()->SetValue(true);
                      wxCommandEvent click(wxEVT_RADIOBUTTON, d.GetInOrderButton()->GetId());
                      d.GetInOrderButton()->ProcessWindowEvent(click);
                      EXPECT_EQ(list->GetItemText(1, 4), "05");
                      EXPECT_EQ(d.GetSummaryText(), summary);
                      return PressButton(d, wxID_OK);
                  }),
                  CExpectMessage(path + "\n" + summary, wxID_OK));
    EXPECT_EQ(Row(5), (RowTexts{"05", "", "119.100", "KJELLER", "", "", ""}));
    EXPECT_EQ(Row(7)[4] + "|" + Row(14)[5] + "|" + Row(2)[3], "Inhibit|Lockout|KEEP");
    EXPECT_EQ(Status().rfind("CH 15: the name \"HAMARTRF\" is stored as \"HAMARTR\"", 0), 0u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetHistory().GetUndoName(), "Import Channels");
    EXPECT_TRUE(Doc()->GetHistory().Undo());
    EXPECT_EQ(Radio()->GetChAppear(5) + Radio()->GetChAppear(20), "OFFOFF");

    // A file the layout cannot take changes nothing.
    WriteFileText(path, "Location,Frequency,Mode\r\n1,118.1,AM\r\n2,x,AM\r\n");
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), ExpectFile(path),
                  CExpectMessage(path + "\nNo channels were imported:\nLine 3, field Frequency: \"x\" is not a frequency in MHz.", wxID_OK));
    EXPECT_EQ(Radio()->GetChFrequency(1), "118.000");
    // Export in the layout, as the file type chosen in the dialog gives it.
    ASSERT_TRUE(ExportChannelsToFile(*Doc(), path, Frame(), EChannelCsvLayout::kChirp));
    EXPECT_EQ(ReadFile(path).substr(0, 9), "Location,");
}
