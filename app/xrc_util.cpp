#include "app/xrc_util.h"

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/panel.h>

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
}

void LoadXrcPanel(wxPanel& panel, wxWindow* parent, const char* name)
{
    InitAppResources();
    CheckLoaded(wxXmlResource::Get()->LoadPanel(&panel, parent, name), name);
}

wxMenuBar* LoadXrcMenuBar(const char* name)
{
    InitAppResources();
    wxMenuBar* bar = wxXmlResource::Get()->LoadMenuBar(name);
    CheckLoaded(bar != nullptr, name);
    return bar;
}
