#include "app/clone_info_dlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/xrc_util.h"

namespace {

// The comment field holds this many characters; it is sized for them in the widest glyph.
constexpr int kCommentChars = 16;

} // namespace

CCloneInfoDlg::CCloneInfoDlg(wxWindow* parent)
{
    LoadXrcDialog(*this, parent, "IDD_CLONE_INFO");
    auto* comment = XrcCtrl<wxStaticText>(*this, "IDC_INFO_COMMENT");
    auto* model = XrcCtrl<wxStaticText>(*this, "IDC_INFO_MODEL");
    const wxSize extent = comment->GetTextExtent(wxString('W', kCommentChars));
    const wxSize field(extent.x + 8, extent.y + 4);
    comment->SetMinSize(field);
    model->SetMinSize(field);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

bool CCloneInfoDlg::TransferDataToWindow()
{
    // Labels would take "&" as a mnemonic; a comment may hold any character.
    XrcCtrl<wxStaticText>(*this, "IDC_INFO_COMMENT")->SetLabelText(m_comment);
    XrcCtrl<wxStaticText>(*this, "IDC_INFO_MODEL")->SetLabelText(m_model);
    return wxDialog::TransferDataToWindow();
}
