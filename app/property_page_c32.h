#pragma once

// The Advanced page of the settings sheet: the mode enables, channel spacing and the clone
// comment.

#include <wx/string.h>

#include "app/fixed_font_property_sheet.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;
class CR455Radio;

class CPropertyPageC32 : public CSheetPage {
public:
    // Loads the members from the radio data object; with none they stay empty and nothing is
    // applied.
    explicit CPropertyPageC32(CR455Radio* radioData);


    void CreatePage(wxWindow* parent) override;
    bool OnSetActive() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxString GetCaption() const override;

    void ApplyToRadio();

private:
    void LoadFromRadio();

    CR455Radio* m_radioData;
    bool m_adjEnable = false;
    bool m_vfoModeEnable = false;
    bool m_vfoTxEnable = false; // shown as the inverse of COMMON.VFOTX_INHIBIT
    bool m_mrWriteEnable = false;
    wxString m_chSpacing;
    wxString m_cloneComment;

    wxCheckBox* m_adjEnableBox = nullptr;
    wxCheckBox* m_vfoModeEnableBox = nullptr;
    wxCheckBox* m_vfoTxEnableBox = nullptr;
    wxCheckBox* m_mrWriteEnableBox = nullptr;
    wxChoice* m_chSpacingList = nullptr;
    wxTextCtrl* m_cloneCommentEdit = nullptr;
};
