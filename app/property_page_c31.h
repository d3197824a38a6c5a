#pragma once

// The Common page of the settings sheet: beeps, side tone, display, scan functions, priority
// channel and opening text.

#include <string>

#include <wx/string.h>

#include "app/fixed_font_property_sheet.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;
class CR455Radio;

class CPropertyPageC31 : public CSheetPage {
public:
    // Loads the members from the radio data object; with none they stay empty and nothing is
    // applied.
    explicit CPropertyPageC31(CR455Radio* radioData);


    void CreatePage(wxWindow* parent) override;
    bool OnSetActive() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxString GetCaption() const override;

    // Writes the members to the radio data object as setting changes, in a fixed order. Returns
    // the note of an opening text stored otherwise than typed ("" for none).
    std::string ApplyToRadio();

private:
    void LoadFromRadio();
    void FillLists();
    void FillPriorityList();

    CR455Radio* m_radioData;
    bool m_beep = false;
    bool m_beepUdKey = false;
    bool m_sideTone = false;
    wxString m_indicateMode;
    wxString m_lcdBacklight;
    wxString m_lcdDimmer; // the hidden dimmer list: never loaded or written
    bool m_scanFunction = false;
    bool m_scanHanger = false;
    wxString m_scanMode;
    wxString m_prioCh;
    wxString m_openingText;

    wxCheckBox* m_beepBox = nullptr;
    wxCheckBox* m_beepUdKeyBox = nullptr;
    wxCheckBox* m_sideToneBox = nullptr;
    wxCheckBox* m_scanFunctionBox = nullptr;
    wxCheckBox* m_scanHangerBox = nullptr;
    wxChoice* m_indicateModeList = nullptr;
    wxChoice* m_lcdBacklightList = nullptr;
    wxChoice* m_lcdDimmerList = nullptr;
    wxChoice* m_scanModeList = nullptr;
    wxChoice* m_prioChList = nullptr;
    wxTextCtrl* m_openingTextEdit = nullptr;
};
