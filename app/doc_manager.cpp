#include "app/doc_manager.h"

#include "app/app_resources.h"
#include "app/pwr455_doc.h"
#include "app/recent_file_list.h"
#include "res/resource_ids.h"

CPWR455DocManager::CPWR455DocManager() : wxDocManager(0, false)
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
    wxString title = ResString(IDS_APP_TITLE);
    // Unsaved changes show as Windows and GNOME programs show them: a "*" before the name.
    if (doc)
        title = (doc->IsModified() ? "*" : "") + doc->GetUserReadableName() + " - " + title;
    // pwr455 --simulate: the clone commands do not reach a real transceiver.
    if (auto* document = dynamic_cast<CPWR455Doc*>(doc); document && document->IsSimulating())
        title += ResString(IDS_SIMULATE_TITLE);
    return title;
}

wxFileHistory* CPWR455DocManager::OnCreateFileHistory()
{
    return new CRecentFileList;
}

CRecentFileList* CPWR455DocManager::GetRecentFiles() const
{
    return static_cast<CRecentFileList*>(GetFileHistory());
}

CPWR455Doc* GetOpenDocument()
{
    const wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (!manager || manager->GetDocumentsVector().empty())
        return nullptr;
    return static_cast<CPWR455Doc*>(manager->GetDocumentsVector().front());
}
