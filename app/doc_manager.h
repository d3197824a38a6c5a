#pragma once

// The document manager of the single-document program: names new documents "Untitled",
// titles the frame "<document> - PW-R455NORD" and keeps the four-entry recent-file list.

#include <wx/docview.h>

class CPWR455Doc;
class CRecentFileList;

class CPWR455DocManager : public wxDocManager {
public:
    CPWR455DocManager();

    wxString MakeNewDocumentName() override;
    wxString MakeFrameTitle(wxDocument* doc) override;
    wxFileHistory* OnCreateFileHistory() override;

    CRecentFileList* GetRecentFiles() const;
};

// The program's one document, or null while there is none.
CPWR455Doc* GetOpenDocument();
