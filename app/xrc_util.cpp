#include "app/xrc_util.h"

#include <algorithm>

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "app/app_resources.h"

namespace {

void CheckLoaded(bool loaded, const char* name)
{
    if (!loaded)
        ReportXrcFault(std::string("XRC resource \"") + name + "\" missing");
}

} // namespace

void ReportXrcFault(const std::string& fault)
{
    wxFAIL_MSG(wxString::FromUTF8(fault));
    throw std::logic_error(fault);
}

void LoadXrcDialog(wxDialog& dialog, wxWindow* parent, const char* name)
{
    InitAppResources();
    CheckLoaded(wxXmlResource::Get()->LoadDialog(&dialog, parent, name), name);
    // Without its own icon a dialog shows the system's default one (Windows).
    dialog.SetIcons(GetProgramIcons());
}

void LoadXrcPanel(wxPanel& panel, wxWindow* parent, const char* name)
{
    InitAppResources();
    CheckLoaded(wxXmlResource::Get()->LoadPanel(&panel, parent, name), name);
    // The page's dialog units may come from a smaller font than the one its labels show in
    // (Windows): a label is never lower than its text, descenders included.
    for (wxWindow* child : panel.GetChildren()) {
        if (auto* label = dynamic_cast<wxStaticText*>(child)) {
            const wxSize size = label->GetSize();
            label->SetSize(size.x, std::max(size.y, label->GetBestSize().y));
        }
    }
}

wxMenuBar* LoadXrcMenuBar(const char* name)
{
    InitAppResources();
    wxMenuBar* bar = wxXmlResource::Get()->LoadMenuBar(name);
    CheckLoaded(bar != nullptr, name);
    return bar;
}
