#pragma once

// The advisory lock that the program takes on a file for the span in which it reads, changes and
// saves it, so that two such spans never interleave and lose an update. A save puts a new file
// in the old one's place: the lock is taken on the file the name leads to at that moment, and
// one taken on a file that has been replaced meanwhile is taken again on the new one.

#include <string>

class CFileLock {
public:
    enum class EResult {
        Locked, // held by this object
        Busy,   // another holds it
        NoFile, // no regular file has that name: there is nothing to lose
    };

    explicit CFileLock(std::string path);
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Takes the lock without waiting (the system's side, file_lock_<system>.cpp).
    EResult TryLock();
    // Takes the lock, waiting up to `waitMs` for another holder to let go.
    EResult Lock(unsigned waitMs);
    // Lets go of it (the system's side).
    void Unlock();

private:
    std::string m_path;
    int m_handle = -1;
};
