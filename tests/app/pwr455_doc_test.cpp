// The document: new, open, save, the save question, the COM port and the transfer file.

#include "tests/app/gui_test.h"

#include <sys/stat.h>

#include <filesystem>

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"

namespace {

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

CR455Radio* Radio()
{
    return Doc()->GetRadioData();
}

// Puts a named channel 1 into the data, through the engine only.
void EditChannelOne(const std::string& name)
{
    std::string frequency = "121.500";
    Radio()->SetChFrequency(1, frequency);
    Radio()->SetChAppear(1, "ON");
    Radio()->SetChName(1, name);
}

wxString FrameTitle()
{
    return GetPWR455App().GetMainFrame()->GetTitle();
}

} // namespace

TEST(Pwr455Doc, NewDocumentIsUntitledAndUnmodified)
{
    StartProgram();
    EXPECT_EQ(FrameTitle().utf8_string(), "Untitled - PW-R455NORD");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Radio()->GetModelInfo()->modelCode, 0x2270);
    // The document's own flag (a clone read sets it) counts, and leaves the title alone.
    Doc()->Modify(true);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(FrameTitle().utf8_string(), "Untitled - PW-R455NORD");
    StopProgram();
}

TEST(Pwr455Doc, AnEditMadeOnlyThroughTheEngineAsksToSaveOnClose)
{
    StartProgram();
    EditChannelOne("TOWER");
    EXPECT_TRUE(Doc()->IsModified());

    // Cancel keeps the program open with its data.
    bool closed = true;
    wxTEST_DIALOG(closed = CloseProgram(),
                  CExpectMessage("Save changes to Untitled?", wxID_CANCEL));
    EXPECT_FALSE(closed);
    ASSERT_NE(GetPWR455App().GetMainFrame(), nullptr);
    EXPECT_EQ(Radio()->GetChName(1), "TOWER");

    wxTEST_DIALOG(closed = CloseProgram(), CExpectMessage("Save changes to Untitled?", wxID_NO));
    EXPECT_TRUE(closed);
    EXPECT_EQ(GetPWR455App().GetMainFrame(), nullptr);
}

TEST(Pwr455Doc, SaveAsThenOpenGivesTheDataBackAndFillsTheRecentFileList)
{
    const std::string path = GetTestHome() + "/tower.qrb";
    StartProgram();
    // With no recent files the "Recent File" item stands in their place, disabled.
    UpdateUi();
    EXPECT_FALSE(FindMenuItem(ID_FILE_MRU_FILE1)->IsEnabled());
    EditChannelOne("TOWER");
    wxTEST_DIALOG(SendCommand(ID_FILE_SAVE_AS), wxExpectModal<wxFileDialog>(wxString(path)));
    UpdateUi();
    EXPECT_TRUE(FindMenuItem(ID_FILE_MRU_FILE1)->IsEnabled());
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(FrameTitle().utf8_string(), "tower.qrb - PW-R455NORD");
    const std::string text = ReadFileText(path);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.find("\r\n"), std::string::npos);

    SendCommand(ID_FILE_NEW);
    EXPECT_EQ(FrameTitle().utf8_string(), "Untitled - PW-R455NORD");
    EXPECT_NE(Radio()->GetChName(1), "TOWER");

    wxMenuItem* recent = FindMenuItem(ID_FILE_MRU_FILE1);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->GetItemLabel().utf8_string(), "&1 " + path);
    SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Radio()->GetChName(1), "TOWER");
    EXPECT_EQ(FrameTitle().utf8_string(), "tower.qrb - PW-R455NORD");
    ASSERT_TRUE(CloseProgram());

    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("[Recent\\ File\\ List]\nFile1=" + path), std::string::npos) << profile;

    // The list comes back at the next start, in the File menu's place for it.
    StartProgram();
    wxMenu* file = GetPWR455App().GetMainFrame()->GetMenuBar()->GetMenu(0);
    size_t position = 0;
    wxMenuItem* entry = file->FindChildItem(CmdId(ID_FILE_MRU_FILE1), &position);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->GetItemLabel().utf8_string(), "&1 " + path);
    EXPECT_TRUE(file->FindItemByPosition(position + 1)->IsSeparator());
    EXPECT_EQ(file->FindChildItem(CmdId(ID_FILE_MRU_FILE1) + 1), nullptr);
    StopProgram();
}

TEST(Pwr455Doc, AFileThatDoesNotLoadIsReportedAndLeavesTheDocumentAsItWas)
{
    const std::string good = GetTestHome() + "/good.qrb";
    const std::string bad = GetTestHome() + "/bad.qrb";
    WriteFileText(bad, "this is not a clone data file\r\n");
    StartProgram();
    EditChannelOne("KEEP");
    wxTEST_DIALOG(SendCommand(ID_FILE_SAVE_AS), wxExpectModal<wxFileDialog>(wxString(good)));
    EditChannelOne("EDITED");

    bool opened = true;
    wxTEST_DIALOG(opened = GetPWR455App().OpenDocumentFile(bad),
                  CExpectMessage("Save changes to good.qrb?", wxID_NO),
                  CExpectMessage("Unexpected file format.", wxID_OK));
    EXPECT_FALSE(opened);
    EXPECT_EQ(Radio()->GetChName(1), "EDITED");
    EXPECT_EQ(FrameTitle().utf8_string(), "good.qrb - PW-R455NORD");
    EXPECT_EQ(Doc()->GetFilename().utf8_string(), good);
    StopProgram();
}

TEST(Pwr455Doc, ComPortChecksFollowTheChoiceAndSurviveARestart)
{
    StartProgram();
    UpdateUi();
    EXPECT_EQ(Doc()->GetPortNumber(), 1);
    EXPECT_TRUE(FindMenuItem(ID_COM1)->IsChecked());
    EXPECT_FALSE(FindMenuItem(ID_COM3)->IsChecked());

    SendCommand(ID_COM3);
    UpdateUi();
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
    EXPECT_FALSE(FindMenuItem(ID_COM1)->IsChecked());
    EXPECT_TRUE(FindMenuItem(ID_COM3)->IsChecked());
    wxToolBar* tools = GetPWR455App().GetMainFrame()->GetToolBar();
    EXPECT_TRUE(tools->GetToolState(CmdId(ID_COM3)));
    EXPECT_FALSE(tools->GetToolState(CmdId(ID_COM1)));
    ASSERT_TRUE(CloseProgram());
    EXPECT_NE(ReadFileText(GetProfilePath()).find("[CommPort]\nPortNumber=3"), std::string::npos);

    StartProgram();
    UpdateUi();
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
    EXPECT_TRUE(FindMenuItem(ID_COM3)->IsChecked());
    EXPECT_FALSE(FindMenuItem(ID_COM1)->IsChecked());
    StopProgram();
}

TEST(Pwr455Doc, StoredPortNumberOutOfRangeStartsOnCom1)
{
    WriteProfile("[CommPort]\nPortNumber=9\n");
    StartProgram();
    EXPECT_EQ(Doc()->GetPortNumber(), 1);
    StopProgram();
}

TEST(Pwr455Doc, TransferFileIsPrivateWhileTheDocumentLivesAndGoesWithIt)
{
    StartProgram();
    const std::string path = Doc()->GetTransferFile().GetPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(std::filesystem::path(path).filename().string().rfind("cl", 0), 0u) << path;
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    StopProgram();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Pwr455Doc, AFileNamedAtStartUpIsOpenedAndOneThatIsMissingEndsTheStartUp)
{
    const std::string good = GetTestHome() + "/start.qrb";
    StartProgram();
    EditChannelOne("START");
    ASSERT_TRUE(Doc()->OnSaveDocument(wxString(good)));
    StopProgram();

    StartProgram(wxString(good));
    EXPECT_EQ(FrameTitle().utf8_string(), "start.qrb - PW-R455NORD");
    EXPECT_EQ(Radio()->GetChName(1), "START");
    EXPECT_FALSE(Doc()->IsModified());
    StopProgram();

    const std::string missing = GetTestHome() + "/missing.qrb";
    bool started = true;
    wxTEST_DIALOG(started = GetPWR455App().StartSession(wxString(missing)),
                  CExpectMessage(missing + "\nCannot find this file.\nPlease verify that the "
                                           "correct path and file name are given.",
                                 wxID_OK));
    EXPECT_FALSE(started);
    EXPECT_TRUE(WaitFor([] { return GetPWR455App().GetMainFrame() == nullptr; }));
    GetPWR455App().EndSession();
}
