#pragma once

// The document manager of the single-document program: names new documents "Untitled",
// titles the frame "<document> - PW-R455NORD" and keeps the four-entry recent-file list.

#include <wx/docview.h>

class CRecentFileList;

class CPWR455DocManager : public wxDocManager {
public:
    CPWR455DocManager();

    wxString MakeNewDocumentName() override;
    wxString MakeFrameTitle(wxDocument* doc) override;
    wxFileHistory* OnCreateFileHistory() override;

    CRecentFileList* GetRecentFiles() const;
};
