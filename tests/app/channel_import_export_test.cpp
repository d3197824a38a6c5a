// File > Import Channels... and Export Channels...: the menu items, a round trip through a CSV
// file, and a bad row that changes nothing and names its line and field.

#include "tests/app/gui_test.h"

#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>

#include "app/channel_import_export.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "radio/r455_radio.h"

namespace {

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

CR455Radio* Radio()
{
    return Doc()->GetRadioData();
}

CPWR455View* View()
{
    return dynamic_cast<CPWR455View*>(Doc()->GetFirstView());
}

void PutChannel(unsigned ch, const std::string& frequency, const std::string& name)
{
    std::string f = frequency;
    Radio()->SetChFrequency(ch, f);
    Radio()->SetChAppear(ch, "ON");
    Radio()->SetChName(ch, name);
    Radio()->HealCh(ch);
}

void MarkUnmodified()
{
    Doc()->Modify(false);
    Radio()->SetEdited(false);
}

// The file dialog answered with `path`. The GTK file chooser takes a new path only once its
// events have run, so they are pumped before the dialog "closes".
class CExpectFile : public wxExpectModalBase<wxFileDialog, CExpectFile> {
public:
    explicit CExpectFile(const std::string& path) : m_path(path) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        dialog->SetPath(wxString::FromUTF8(m_path));
        WaitFor([&] { return dialog->GetPath().utf8_string() == m_path; }, 2000);
        EXPECT_EQ(dialog->GetPath().utf8_string(), m_path);
        return wxID_OK;
    }

private:
    std::string m_path;
};

// A message box whose text begins with `start` (the rest comes from the system).
class CExpectMessageStart : public wxExpectModalBase<wxMessageDialog, CExpectMessageStart> {
public:
    explicit CExpectMessageStart(const std::string& start) : m_start(start) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        const std::string text = dialog->GetMessage().utf8_string();
        EXPECT_EQ(text.substr(0, m_start.size()), m_start);
        EXPECT_GT(text.size(), m_start.size());
        return wxID_OK;
    }

private:
    std::string m_start;
};

class ChannelImportExportTest : public testing::Test {
protected:
    void SetUp() override { StartProgram(); }
    void TearDown() override { StopProgram(); }
};

} // namespace

TEST_F(ChannelImportExportTest, FileMenuOffersImportAndExportAfterSaveAs)
{
    wxMenu* file = GetPWR455App().GetMainFrame()->GetMenuBar()->GetMenu(0);
    int saveAs = file->GetMenuItems().IndexOf(FindMenuItem(ID_FILE_SAVE_AS));
    ASSERT_GE(saveAs, 0);
    wxMenuItem* import = file->FindItemByPosition(static_cast<size_t>(saveAs) + 1);
    wxMenuItem* exportItem = file->FindItemByPosition(static_cast<size_t>(saveAs) + 2);
    EXPECT_EQ(import->GetId(), CmdId(ID_FILE_IMPORT_CHANNELS));
    EXPECT_EQ(import->GetItemLabel().utf8_string(), "&Import Channels...");
    EXPECT_EQ(import->GetHelp().utf8_string(), "Import the memory channels from a CSV file");
    EXPECT_EQ(exportItem->GetId(), CmdId(ID_FILE_EXPORT_CHANNELS));
    EXPECT_EQ(exportItem->GetItemLabel().utf8_string(), "&Export Channels...");
    EXPECT_EQ(exportItem->GetHelp().utf8_string(), "Export the memory channels to a CSV file");
}

TEST_F(ChannelImportExportTest, ExportedChannelsComeBackByImport)
{
    PutChannel(2, "121.500", "TOWER");
    PutChannel(7, "118.100", "GND");
    Radio()->SetChLockout(7, "ON");
    const std::string path = GetTestHome() + "/channels.csv";
    wxTEST_DIALOG(SendCommand(ID_FILE_EXPORT_CHANNELS), CExpectFile(path));
    const std::string csv = ReadFileText(path);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Channel,Frequency,Name,Tx Inhibit,Lockout");
    EXPECT_NE(csv.find("\r\n2,121.500,TOWER,OFF,OFF\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n7,118.100,GND,OFF,ON\r\n"), std::string::npos) << csv;

    // Change the data, then import: the exported channels are back and the list shows them.
    MarkUnmodified();
    SendCommand(ID_FILE_NEW);
    ASSERT_EQ(Radio()->GetChAppear(2), "OFF");
    PutChannel(9, "125.000", "KEEP");
    MarkUnmodified();
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), CExpectFile(path));
    EXPECT_EQ(Radio()->GetChFrequency(2), "121.500");
    EXPECT_EQ(Radio()->GetChName(2), "TOWER");
    EXPECT_EQ(Radio()->GetChLockout(7), "ON");
    // The file lists every channel: channel 9 is blank in it.
    EXPECT_EQ(Radio()->GetChAppear(9), "OFF");
    EXPECT_TRUE(Doc()->IsModified());
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetRowTexts(2)[3], "TOWER");
    EXPECT_EQ(View()->GetRowTexts(7)[5], "Lockout");
}

TEST_F(ChannelImportExportTest, ABadRowChangesNothingAndTheMessageNamesLineAndField)
{
    PutChannel(3, "122.800", "OLD");
    MarkUnmodified();
    const std::string path = GetTestHome() + "/bad.csv";
    WriteFileText(path, "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n"
                        "3,119.000,NEW,OFF,OFF\r\n"
                        "4,abc,BAD,OFF,OFF\r\n");
    wxTEST_DIALOG(SendCommand(ID_FILE_IMPORT_CHANNELS), CExpectFile(path),
                  CExpectMessage(path + "\nNo channels were imported:\n"
                                        "Line 3, field Frequency: \"abc\" is not a frequency in MHz.",
                                 wxID_OK));
    EXPECT_EQ(Radio()->GetChFrequency(3), "122.800");
    EXPECT_EQ(Radio()->GetChName(3), "OLD");
    EXPECT_EQ(Radio()->GetChAppear(4), "OFF");
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ChannelImportExportTest, MissingOrOversizedFilesAreReported)
{
    wxWindow* frame = GetPWR455App().GetMainFrame();
    const std::string missing = GetTestHome() + "/none.csv";
    bool imported = true;
    wxTEST_DIALOG(imported = ImportChannelsFromFile(*Doc(), missing, frame),
                  CExpectMessage(missing + "\nThe file could not be read.", wxID_OK));
    EXPECT_FALSE(imported);
    const std::string large = GetTestHome() + "/large.csv";
    WriteFileText(large, std::string(2 << 20, '#'));
    wxTEST_DIALOG(imported = ImportChannelsFromFile(*Doc(), large, frame),
                  CExpectMessage(large + "\nThe file is too large to be a list of channels.",
                                 wxID_OK));
    EXPECT_FALSE(imported);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ChannelImportExportTest, ExportIntoAFolderThatIsNotThereIsReported)
{
    const std::string path = GetTestHome() + "/no/such/folder/out.csv";
    bool exported = true;
    wxTEST_DIALOG(exported = ExportChannelsToFile(*Doc(), path, GetPWR455App().GetMainFrame()),
                  CExpectMessageStart(path + "\nThe channels could not be exported:\n"));
    EXPECT_FALSE(exported);
    EXPECT_FALSE(wxFileExists(path));
}
