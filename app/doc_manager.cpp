#include "app/doc_manager.h"

#include "app/app_resources.h"
#include "app/recent_file_list.h"
#include "res/resource_ids.h"

CPWR455DocManager::CPWR455DocManager()
    : wxDocManager(0, false)
{
    // Initialize() calls the virtual OnCreateFileHistory, so it must run after construction.
    Initialize();
    SetMaxDocsOpen(1);
}

wxString CPWR455DocManager::MakeNewDocumentName()
{
    return ResString(IDS_UNTITLED);
}

wxString CPWR455DocManager::MakeFrameTitle(wxDocument* doc)
{
    const wxString app = ResString(IDS_APP_TITLE);
    return doc ? doc->GetUserReadableName() + " - " + app : app;
}

wxFileHistory* CPWR455DocManager::OnCreateFileHistory()
{
    return new CRecentFileList;
}

CRecentFileList* CPWR455DocManager::GetRecentFiles() const
{
    return static_cast<CRecentFileList*>(GetFileHistory());
}
