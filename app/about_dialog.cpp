#include "app/about_dialog.h"

#include <stdexcept>

#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"

CAboutDialog::CAboutDialog(wxWindow* parent)
{
    if (!wxXmlResource::Get()->LoadDialog(this, parent, "IDD_ABOUTBOX"))
        throw std::runtime_error("IDD_ABOUTBOX");
    XrcCtrl<wxStaticBitmap>(*this, "IDC_ABOUT_ICON")->SetBitmap(GetSvgBundle("pwr455", 32));
    XrcCtrl<wxStaticBitmap>(*this, "IDC_ABOUT_PICTURE")->SetBitmap(GetSvgBundle("transceiver", 96));
    XrcCtrl<wxStaticText>(*this, "IDC_ABOUT_NOTICE")->SetLabel(ResString(IDS_APP_ABOUT_NOTICE));
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}
