#include "app/file_dialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "app/app_resources.h"
#include "res/resource_ids.h"

namespace {

wxString Filter()
{
    const wxString ext = GetDocField(EDocField::kFilterExt);
    return GetDocField(EDocField::kFilterName) + "|*" + ext + ";*" + ext.Upper() + "|" +
           ResString(IDS_APP_ALL_FILES) + "|*";
}

// The chosen path. The GTK chooser can leave GetPath() empty while directory and name are
// set (a path set before the dialog was shown), so those are the fallback.
wxString ChosenPath(const wxFileDialog& dialog)
{
    wxString path = dialog.GetPath();
    if (path.empty() && !dialog.GetFilename().empty())
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    return path;
}

} // namespace

wxString AskOpenPath(wxWindow* parent, const wxString& folder, const wxString& title)
{
    wxFileDialog dialog(parent, title.empty() ? GetCommandTooltip(ID_FILE_OPEN) : title, folder,
                        wxString(), Filter(), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? ChosenPath(dialog) : wxString();
}

wxString AskSavePath(wxWindow* parent, const wxString& current)
{
    const wxFileName currentName(current);
    wxFileDialog dialog(parent, GetCommandTooltip(ID_FILE_SAVE_AS),
                        currentName.IsAbsolute() ? currentName.GetPath() : wxString(),
                        currentName.GetFullName(), Filter(), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return wxString();
    wxFileName chosen(ChosenPath(dialog));
    if (chosen.GetFullName().empty())
        return wxString();
    if (!chosen.HasExt())
        chosen.SetExt(GetDocField(EDocField::kFilterExt).Mid(1));
    return chosen.GetFullPath();
}
