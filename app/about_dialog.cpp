#include "app/about_dialog.h"

#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"

void ShowProductArt(wxDialog& dialog, const char* icon, const char* picture, const char* notice)
{
    XrcCtrl<wxStaticBitmap>(dialog, icon)->SetBitmap(GetSvgBundle("pwr455", 32));
    XrcCtrl<wxStaticBitmap>(dialog, picture)->SetBitmap(GetSvgBundle("transceiver", 96));
    XrcCtrl<wxStaticText>(dialog, notice)->SetLabel(ResString(IDS_APP_ABOUT_NOTICE));
    dialog.GetSizer()->SetSizeHints(&dialog);
}

CAboutDialog::CAboutDialog(wxWindow* parent)
{
    LoadXrcDialog(*this, parent, "IDD_ABOUTBOX");
    ShowProductArt(*this, "IDC_ABOUT_ICON", "IDC_ABOUT_PICTURE", "IDC_ABOUT_NOTICE");
    CentreOnParent();
}
