#include "tests/app/gui_test.h"

#include "app/recent_file_list.h"

TEST_F(ProgramTest, SaveAsOpenAndCloseKeepTheDataAndFillTheRecentFileList)
{
    const std::string path = GetTestHome() + "/tower.qrb";
    // With no recent files the "Recent File" item stands in their place, disabled.
    EXPECT_FALSE(IsEnabled(ID_FILE_MRU_FILE1));
    PutChannel(*Radio(), 1, "121.500", "TOWER");
    // Unsaved changes show in the title, as a "*" before the name.
    EXPECT_TRUE(WaitFor([] { return Title() == "*Untitled - PW-R455NORD"; })) << Title();
    // An edit through the engine makes the document modified: closing asks, Cancel keeps it.
    wxTEST_DIALOG(EXPECT_FALSE(Frame()->Close()),
                  CExpectMessage("Save changes to Untitled?", wxID_CANCEL));
    wxTEST_DIALOG(SendCommand(ID_FILE_SAVE_AS), wxExpectModal<wxFileDialog>(wxString(path)));
    EXPECT_TRUE(IsEnabled(ID_FILE_MRU_FILE1));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Title(), "tower.qrb - PW-R455NORD");
    SendCommand(ID_FILE_NEW);
    EXPECT_EQ(Title() + Radio()->GetChName(1), "Untitled - PW-R455NORD");
    SendCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Title() + Radio()->GetChName(1), "tower.qrb - PW-R455NORDTOWER");
    const std::string bad = GetTestHome() + "/bad.qrb";
    WriteFileText(bad, "this is not a clone data file\r\n");
    Radio()->SetChName(1, "EDITED");
    wxTEST_DIALOG(EXPECT_FALSE(GetPWR455App().OpenDocumentFile(bad)),
                  CExpectMessage("Save changes to tower.qrb?", wxID_NO),
                  CExpectMessage(bad + "\nUnexpected file format: not a clone data file.", wxID_OK));
    EXPECT_EQ(Radio()->GetChName(1), "EDITED");
    EXPECT_TRUE(WaitFor([] { return Title() == "*tower.qrb - PW-R455NORD"; })) << Title();
    wxTEST_DIALOG(EXPECT_TRUE(Frame()->Close()),
                  CExpectMessage("Save changes to tower.qrb?", wxID_NO));
    StopProgram();
    const std::string profile = ReadFile(GetProfilePath());
    EXPECT_NE(profile.find("[Recent\\ File\\ List]\nFile1=" + path), std::string::npos) << profile;

    // A file named at start-up opens; the list comes back in the File menu's place for it.
    StartProgram(wxString(path));
    EXPECT_EQ(Title() + Radio()->GetChName(1), "tower.qrb - PW-R455NORDTOWER");
    EXPECT_FALSE(Doc()->IsModified());
    wxMenu* file = Frame()->GetMenuBar()->GetMenu(0);
    size_t position = 0;
    wxMenuItem* entry = file->FindChildItem(CmdId(ID_FILE_MRU_FILE1), &position);
    ASSERT_NE(entry, nullptr);
    // Shortened as a long path is (below), where the temporary folder makes it long.
    EXPECT_EQ(entry->GetItemLabel(), CRecentFileList::MakeLabel(0, wxString(path)));
    EXPECT_TRUE(entry->GetItemLabel().EndsWith("/tower.qrb") && entry->GetItemLabel().StartsWith("&1 /"));
    EXPECT_TRUE(file->FindItemByPosition(position + 1)->IsSeparator());
    EXPECT_EQ(file->FindChildItem(CmdId(ID_FILE_MRU_FILE1) + 1), nullptr);
    // A long path gives up the middle of its folders; the file's name stays whole.
    const std::string folders = "/home/pilot/" + std::string(80, 'f');
    EXPECT_EQ(CRecentFileList::MakeLabel(1, folders + "/a&b.qrb").utf8_string(),
              "&2 " + folders.substr(0, 69) + ".../a&&b.qrb");
    StopProgram();
    const std::string missing = GetTestHome() + "/missing.qrb";
    wxTEST_DIALOG(EXPECT_FALSE(GetPWR455App().StartSession(wxString(missing))),
                  CExpectMessage(missing + "\nCannot open this file:\nNo such file or directory",
                                 wxID_OK));
}
