#pragma once

// The view of the document: the list of the 20 memory channels in the main window's client
// area, and the command target of everything the user does to channels (Edit Memory, Copy,
// Paste, Clear, Delete, Insert, Common Setting). The list shows what the engine answers about
// each channel; it keeps no channel data of its own besides the row texts.

#include <array>
#include <memory>
#include <string>

#include <wx/docview.h>

#include "app/channel_list_commands.h"
#include "app/list_view_ex.h"
#include "radio/channel_commands.h"
#include "radio/channel_row.h"

class wxContextMenuEvent;
class wxIdleEvent;
class wxKeyEvent;
class wxListEvent;
class wxModalDialogHook;
class wxMouseEvent;
class wxUpdateUIEvent;
class CR455Radio;
class CUndoHistory;
struct CChannelEntry;

class CPWR455View : public wxView, public CChannelRows {
public:
    static constexpr unsigned kChannelCount = 20;
    static constexpr unsigned kColumnCount = kChannelRowCells;

    CPWR455View();
    ~CPWR455View() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;

    // Called after File New and File Open (and once at start-up) before the first update.
    virtual void OnInitialUpdate();

    CListViewEx* GetListCtrl() const { return m_list; }
    // The document's radio data object; set when the view is created.
    CR455Radio* GetRadioData() const override { return m_radioData; }

    // The selected channel 1..20; 1 when no row is selected.
    unsigned GetSelectedChannel() const override;
    // The selected channel of the document's list; 1 without a list.
    static unsigned GetSelectedChannel(wxDocument& doc);
    // Selects and focuses the row of channel n (1..20) alone and scrolls it into view.
    void SelectChannel(unsigned n) override;
    // Builds the texts of channel n's row from the engine's answers; ShowRow puts them into
    // the list. Channels outside 1..20 are ignored.
    void BuildRow(unsigned n);
    void ShowRow(unsigned n);
    void RefreshAll() override;

    // The page on which the settings sheet opens; the sheet reports page changes here.
    void SetSettingsPage(int page) { m_settingsPage = page; }

    // Gives the list the keyboard focus with one selected and focused row (the selected one, else
    // channel 1), so that the first arrow key moves from it and Enter edits it; not while a
    // dialog or a clone run has the keyboard. FocusRowsLater does it once the program is idle
    // and nothing of the kind is in the way any more (a dialog that closes gives the focus back
    // to where it was).
    void FocusRows();
    void FocusRowsLater();

    // Opens Edit Memory on the selected channel, or says that no row is selected.
    void OpenEditMemory();
    // The Delete key in the list: clears the selected channel without looking at the check.
    void ClearSelectedChannel();

    // Where the context menu opens, in screen coordinates: at the reported point of a click,
    // on the selected row for the keyboard (Shift+F10, the menu key), which reports none.
    wxPoint GetContextMenuPoint(const wxPoint& reported) const;

    // The width each column opens with for a stored profile width (0: not stored).
    static int ColumnWidthFromProfile(unsigned column, int stored);

private:
    // Runs the Edit Memory dialog on m_editChannel; true when it ended with OK, and then
    // `typed` holds what the user typed.
    bool RunEditMemoryDialog(CChannelEntry& typed);
    // The document's undo history.
    CUndoHistory& History() override;
    // Runs the settings sheet on m_settingsPage.
    void RunSettingsSheet();

    // Runs `command` on the selected channel: after its question or refusal when `checked`.
    void RunChannelCommand(EListCommand command, bool checked);
    void CreateColumns();
    void SaveColumnWidths();
    void RebuildRow(unsigned n) override;

    void OnListKeyDown(wxKeyEvent& event);
    void OnListDoubleClick(wxMouseEvent& event);
    void OnListContextMenu(wxContextMenuEvent& event);
    void OnFrameActivate(wxActivateEvent& event);
    void OnListIdle(wxIdleEvent& event);

    void OnEditMemory(wxCommandEvent& event);
    void OnUpdateEditMemory(wxUpdateUIEvent& event);
    void OnViewCommonSetting(wxCommandEvent& event);
    void OnChannelCommand(wxCommandEvent& event);
    void OnUpdateChannelCommand(wxUpdateUIEvent& event);

    CListViewEx* m_list = nullptr;
    // Takes the focus back to the list after every modal dialog, message box and chooser.
    std::unique_ptr<wxModalDialogHook> m_dialogHook;
    bool m_focusPending = false;
    CR455Radio* m_radioData = nullptr;
    unsigned m_editChannel = 1;
    int m_settingsPage = 0;
    // Row 0 exists and stays empty, so that row n is channel n.
    std::array<std::array<std::string, kColumnCount>, kChannelCount + 1> m_rows{};

    wxDECLARE_DYNAMIC_CLASS(CPWR455View);
    wxDECLARE_EVENT_TABLE();
};
