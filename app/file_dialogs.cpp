#include "app/file_dialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "app/app_resources.h"
#include "res/resource_ids.h"

namespace {

// Field `index` of the document string: ..., 3 filter name, 4 filter extension, ...
wxString DocField(int index)
{
    const wxArrayString fields = wxSplit(ResString(IDR_MAINFRAME), '\n', '\0');
    return index < static_cast<int>(fields.size()) ? fields[index] : wxString();
}

wxString Filter()
{
    const wxString ext = DocField(4); // ".qrb"
    return DocField(3) + "|*" + ext + ";*" + ext.Upper() + "|" + ResString(IDS_APP_ALL_FILES) +
           "|*";
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
        chosen.SetExt(DocField(4).Mid(1));
    return chosen.GetFullPath();
}
