#pragma once

// The outside world of the clone link and the clone operations.
//
// The cloning code never opens a window or plays a sound on its own: it asks its host (and for
// time, its clock: clone_clock.h). The desktop program, the command-line tool and the tests each
// implement this interface. Every call comes from the thread that runs the clone operation.

#include <string>

class CCloneHost {
public:
    // Icon of a message box.
    enum class EIcon {
        None,        // no icon (the "clone writing succeeded" box)
        Exclamation, // the warning triangle of every failure box
    };

    virtual ~CCloneHost() = default;

    // Main window status text (the message pane of the status bar). Texts arrive exactly as
    // the string table holds them, leading blanks included.
    virtual void SetStatusText(const std::string& text) = 0;

    // Progress window of read and write runs. CreateProgress shows it (with a Cancel button)
    // and makes the rest of the user interface unavailable until DestroyProgress; `caption` is
    // its title. SetProgressPos takes a percentage 0 to 100. SetProgressPos and CheckCancel both
    // let the user interface process its pending events, so that the window stays alive and the
    // Cancel button works. CheckCancel returns true once per press of Cancel (it clears the
    // request). DestroyProgress is called only after CreateProgress.
    virtual void CreateProgress(const std::string& caption) = 0;
    virtual void SetProgressPos(int percent) = 0;
    virtual bool CheckCancel() = 0;
    virtual void DestroyProgress() = 0;

    // A message box with an OK button only and the given icon. (Not named MessageBox: Windows'
    // headers make that a macro.)
    virtual void ShowNotice(const std::string& text, EIcon icon) = 0;

    // A question with OK and Cancel buttons (exclamation icon). True only for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;

    // The Information dialog: the transceiver's model text and its comment text (16 characters).
    virtual void ShowInformation(const std::string& model, const std::string& comment) = 0;

    // Busy indicator around the runs that block the user interface. Calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // A tone of `frequency` hertz lasting `milliseconds`; returns when it has finished (or at
    // once when there is no sound: a missing sound device must never fail or delay a clone
    // beyond the tone's own length).
    virtual void Beep(unsigned frequency, unsigned milliseconds) = 0;

    // After a successful read whose backup copy could not be saved (the read itself stands):
    // `reason` says why. A host that shows nothing of it need not override this.
    virtual void WarnBackupNotSaved(const std::string& reason) { (void)reason; }
};
