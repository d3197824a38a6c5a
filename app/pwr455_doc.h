#pragma once

// The document: one open data set. Its contents are the radio data object's engine; open and
// save go through the radio data object's serialisation. It also owns the clone station (link,
// transfer file, simulated transceiver) that the clone commands use.

#include <functional>
#include <memory>
#include <string>

#include <wx/docview.h>

#include "clone/clone_operations.h"

class CCloneLink;
class CCloneStation;
class CGuiCloneHost;
class CR455Radio;
class CSimTransceiver;
class CTempFile;
class CUndoHistory;

// What the document tells its views through OnUpdate's hint, beside a plain change of the data
// (no hint): new data (File New, File Open) or that the rows may take the keyboard back.
class CViewHint : public wxObject {
public:
    enum class EWhat { kNewData, kFocusRows };
    explicit CViewHint(EWhat what) : m_what(what) {}
    EWhat What() const { return m_what; }

private:
    EWhat m_what;
};

class CPWR455Doc : public wxDocument {
public:
    CPWR455Doc();
    ~CPWR455Doc() override;

    // The radio data object through which views and dialogs send every command.
    CR455Radio* GetRadioData() { return m_radioData.get(); }
    // Undo and redo of the data set: every command that changes it records one step here
    // (CUndoStep, radio/undo_history.h). New and Open start the history afresh.
    CUndoHistory& GetHistory() { return *m_history; }
    CCloneLink& GetCloneLink();
    CGuiCloneHost& GetCloneHost() { return *m_cloneHost; }
    // The "cl" transfer file of clone read and write; it exists while the document lives.
    const CTempFile& GetTransferFile() const;

    // Modified when the document's own flag is set or the engine reports an edit.
    bool IsModified() const override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const wxString& path) override;
    bool OnSaveModified() override;
    bool SaveAs() override;
    bool OnCloseDocument() override;
    void OnChangedViewList() override;
    void OnChangeFilename(bool notifyViews) override;
    void Modify(bool modified) override;

    // File New and File Open on this same document, as the menu commands do them: first the
    // question whether to save changes, then the new data set or the file. A file that does
    // not load is reported and leaves the document as it was.
    bool NewData();
    bool OpenData(const wxString& path);

    // Forgets unsaved changes, so that closing asks nothing.
    void DiscardChanges();
    // Writes an export of the data (channels, card) to `path` through `write`, which gives the
    // reason for a failure in `error`; an export never takes the place of the document's file.
    bool WriteExport(const wxString& path, const std::function<bool(std::string& error)>& write,
                     std::string& error) const;
    // Retitles the frame ("*name.qrb - PW-R455NORD" while there are unsaved changes) when the
    // title has changed.
    void UpdateFrameTitle();
    // Names in the COM Port menu the device each entry stands for, where that has changed.
    void UpdatePortMenu();

    int GetPortNumber() const;
    void SetPortNumber(int number);

    // The clone commands Read From Transceiver, Write to Transceiver and Read Information
    // (menu, toolbar). Each returns the clone result code, or -1 when the user declined.
    int CloneRead();
    int CloneWrite();
    int CloneInformation();
    // The result of the last clone command (-1 before the first, or when declined).
    int GetLastCloneResult() const { return m_lastCloneResult; }

    // Binds every COM port to a simulated transceiver on a pseudo-terminal (pwr455
    // --simulate). False, with the serial ports left as they were, when it could not start.
    bool StartSimulation();
    bool IsSimulating() const;
    // Whether documents made from now on start their simulation themselves (pwr455 --simulate).
    static void SetSimulatedFromStart(bool simulated);
    static bool IsSimulatedFromStart();
    CSimTransceiver* GetSimulator() const;
    // The Port Settings command: the serial device of each COM port.
    void EditPortSettings();
    // Binds COM `number` to `device` and chooses it, as Port Settings and the COM Port menu do.
    void BindPort(int number, const std::string& device);

protected:
    bool DoSaveDocument(const wxString& path) override;
    bool DoOpenDocument(const wxString& path) override;

private:
    void InitialUpdateAllViews();
    void ShowFileError(const wxString& text) const;
    void SetPortDevice(int number, const std::string& device);
    // Saves the profile at once, for pwr455-cli reads the same file.
    static void SavePortBindings();

    void OnFileSave(wxCommandEvent& event);
    void OnFileSaveAs(wxCommandEvent& event);
    int RunCloneOperation(CCloneOperations::EOperation operation);

    std::unique_ptr<CR455Radio> m_radioData;
    std::unique_ptr<CUndoHistory> m_history;
    std::unique_ptr<CGuiCloneHost> m_cloneHost;
    std::unique_ptr<CCloneStation> m_station;
    int m_lastCloneResult = -1;

    wxDECLARE_DYNAMIC_CLASS(CPWR455Doc);
    wxDECLARE_EVENT_TABLE();
};
