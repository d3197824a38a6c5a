#include "tests/app/gui_test.h"

#include "app/channel_import_export.h"
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
