#pragma once

// The Edit Memory dialog: edits one memory channel's operating frequency, name, Tx inhibit and
// lockout. It reads the channel from the engine when it opens and writes it back on OK; an
// empty (or unusable) frequency turns the channel into a blank channel. Cancel sends nothing.

#include <wx/dialog.h>
#include <wx/string.h>

#include "radio/air_channel.h"

class wxCheckBox;
class wxStaticText;
class wxTextCtrl;
class CR455Radio;

class CEditMemoryDlg : public wxDialog {
public:
    // The dialog of a given channel (1 to 20) of a given radio data object.
    CEditMemoryDlg(wxWindow* parent, CR455Radio* radioData, int channel);

    // Loads the channel and runs the dialog. Returns wxID_OK after the channel was written,
    // wxID_CANCEL otherwise; without a radio data object or channel nothing is shown.
    int ShowModal() override;

    // Members to controls and back (the dialog's data exchange).
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    int GetChannel() const { return m_channel; }
    // The frequency and name as the user typed them, before OK checked and sent them.
    const wxString& GetTypedFrequency() const { return m_typedFrequency; }
    const wxString& GetTypedName() const { return m_nameText; }

    // Text limits of the edits (characters).
    static constexpr int kNameLimit = 7;
    static constexpr int kFrequencyLimit = 10;

private:
    void CreateControls(wxWindow* parent);
    void LoadChannel();
    void UpdateEnabling();
    // The line under the frequency: what channel the typed text makes under the current spacing.
    void UpdateCarrierNote();
    void SendChanges();

    void OnFrequencyChange(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    bool m_freqEmpty = true;
    CR455Radio* m_radioData = nullptr;
    int m_channel = 0;
    // The channel grid of the radio's spacing, read when the dialog opens.
    EChannelGrid m_grid = EChannelGrid::k25kHz;
    wxCheckBox* m_txInhibitButton = nullptr;
    wxCheckBox* m_chLockoutButton = nullptr;
    wxTextCtrl* m_nameEdit = nullptr;
    wxTextCtrl* m_freqEdit = nullptr;
    wxStaticText* m_carrierNote = nullptr;
    wxString m_caption; // the caption without the channel number
    wxString m_freqText;
    wxString m_nameText;
    wxString m_typedFrequency;
    bool m_chLockout = false;
    bool m_txInhibit = false;
};

// The frequency check of OK: true when `text` read as a decimal number (leading white space
// skipped, reading stops where no number can continue, no number reads as 0) is above 0 and
// below 2000. Any other text is not a frequency and makes the channel blank.
bool IsUsableFrequencyText(const wxString& text);
