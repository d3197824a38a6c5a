#pragma once

// How the command-line tool ends on SIGINT, SIGTERM and SIGHUP.
//
// Outside a clone run a signal ends the process at once: the serial port gets back the line
// settings it had before it was opened, the registered temporary files and folders go, and the
// process ends by the signal, or, where the command has set an exit of its own (SetExit),
// prints that text and exits with that status. While a read or write run polls for its Cancel
// button (ArmCancel), a signal only requests the cancel, and from then on the rest of the
// command runs without waiting (Wait returns at once); a second signal ends the process as
// above. The desktop program does not install any of this.
//
// The rules are in interrupt.cpp; the system's side, which delivers the requests to end, in a
// file of its own for each system.

#include <functional>
#include <string>

class CInterrupt {
public:
    // Installs the handlers, except for a signal the process was started to ignore. The calling
    // thread is the one that handles the signals.
    static void Install();

    // The exit of a command that a signal ends outside a run: `text` on the standard output,
    // then the exit status `status`.
    static void SetExit(int status, const std::string& text);

    // Calls nest: the cancel stays armed until every ArmCancel(true) has had its ArmCancel(false).
    static void ArmCancel(bool armed);
    // True once a signal has requested a cancel; it stays requested.
    static bool IsCancelRequested();

    // Waits `milliseconds`, or less when a cancel is requested before or during the wait.
    static void Wait(unsigned milliseconds);

    // From now on signals are taken but do nothing: the command is past the point where it may
    // stop (its save has begun) and ends by itself.
    static void Hold();

    // For a command that serves until it is ended: runs `start` with the ending signals held
    // back from the threads it starts, then, when it returned true, waits for one of them; runs
    // `stop` before they take effect again.
    static void ServeUntilEnded(const std::function<bool()>& start,
                                const std::function<void()>& stop);
};
