#pragma once

// The page's data set: the radio data object with its undo history and channel edits, its file
// (bytes the browser hands over and takes back, kept in the page's own files while open), and
// the clone station whose every COM port leads to the transceiver the page reaches: a port of
// the browser, or the simulated transceiver of "try without a radio".

#include <cstdint>
#include <memory>
#include <string>

#include "clone/clone_station.h"
#include "radio/channel_commands.h"
#include "radio/channel_edits.h"
#include "radio/r455_radio.h"
#include "radio/radio_settings.h"
#include "radio/undo_history.h"
#include "web/page_clone_clock.h"
#include "web/page_clone_host.h"

class CSimTransceiver;

class CWebDocument {
public:
    CWebDocument();
    ~CWebDocument();

    // File New: an untitled data set with the transceiver's defaults.
    void New();
    // File Open of `bytes` named `name`: "" when opened, else the message the desktop program
    // shows, with the data as they were.
    std::string Open(const std::string& name, const std::string& bytes);
    // File > Open Backup...: the backup `name` opens as File Open does, as an untitled copy
    // (titled as the desktop program titles it), so that Save asks for a name.
    std::string OpenBackup(const std::string& name, const std::string& bytes);
    // The bytes File Save writes ("" with the reason in `error` when they cannot be made); the
    // data set counts as saved under `name` once the page reports it stored (Saved).
    bool Format(std::string& bytes, std::string& error);
    void Saved(const std::string& name);

    // The window title: file name, the unsaved mark, the program, the simulated transceiver.
    std::string Title();
    // Unsaved changes: the engine's edit flag, or data a read brought.
    bool IsEdited() { return m_replaced || m_radio.IsEdited(); }
    const std::string& Name() const { return m_name; }

    CR455Radio& Radio() { return m_radio; }
    CCloneStation& Station() { return m_station; }
    CPageCloneHost& Host() { return m_host; }
    CPageCloneClock& Clock() { return m_clock; }
    CUndoHistory& History() { return m_history; }
    CChannelEdits& Edits() { return m_edits; }

    // Edit Memory's OK for channel `ch`: one undo step; the notes on what was stored.
    std::string EditChannel(unsigned ch, const std::string& name, const std::string& frequency,
                            bool txInhibit, bool lockout);

    // The settings sheet's OK (`ok`) or Cancel: one undo step; the note on the opening text
    // stored. Either way the engine rebuilds its image, as the desktop sheet has it.
    std::string ApplySettings(const CRadioSettings& settings, bool ok);

    // Try without a radio: from now on every clone command reaches the simulated transceiver.
    bool Simulate();
    bool IsSimulating() const { return m_sim != nullptr; }
    // The clone commands; each returns the clone result (CCloneOperations).
    int Read();
    int Write();
    int Information();

private:
    CR455Radio m_radio;
    CUndoHistory m_history;
    CChannelEdits m_edits;
    CPageCloneHost m_host;
    CPageCloneClock m_clock;
    CCloneStation m_station;
    CSimTransceiver* m_sim = nullptr; // kept by the station
    std::string m_name;
    std::string m_copyTitle; // a backup's copy: the title in place of the name
    bool m_replaced = false; // a read brought the data since the last New, Open or Save
};

// The page's one data set, which every part of the core's C interface works on.
CWebDocument& PageDocument();
