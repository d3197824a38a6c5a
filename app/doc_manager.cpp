#include "app/doc_manager.h"

#include "app/app_resources.h"
#include "app/pwr455_doc.h"
#include "app/recent_file_list.h"
#include "radio/document_io.h"
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
    if (!doc)
        return ResString(IDS_APP_TITLE);
    auto* document = dynamic_cast<CPWR455Doc*>(doc);
    return wxString::FromUTF8(MakeDocumentTitle(doc->GetUserReadableName().utf8_string(),
                                                doc->IsModified(),
                                                document && document->IsSimulating()));
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
