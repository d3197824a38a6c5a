#pragma once

// One running instance per user: a lock that the system gives up by itself when the process
// that holds it ends, however it ends, so that a stale lock never keeps the program from
// starting. POSIX: a file lock on a file named after the lock in $XDG_RUNTIME_DIR, else in the
// home folder, else in the temporary folder (the first that takes it); Windows: a named mutex.

#include <cstdint>
#include <string>

class CInstanceLock {
public:
    enum class EState {
        Held,       // this process holds the lock
        Taken,      // another running process holds it
        Unavailable // no place could hold a lock: nothing is known of other instances
    };

    // Tries to take the lock `name` for this user, without waiting.
    explicit CInstanceLock(const std::string& name);
    // Gives the lock up.
    ~CInstanceLock();

    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    EState GetState() const { return m_state; }
    // Where the lock lives (the lock file, or the mutex's name); empty when Unavailable.
    const std::string& GetPath() const { return m_path; }

private:
    EState m_state = EState::Unavailable;
    std::string m_path;
    std::intptr_t m_handle = -1; // the lock file's descriptor, or the mutex's handle
};
