#pragma once

// A second start of the program hands the file it was given to the instance that runs, which
// opens it. The channel belongs to the instance lock (instance_lock.h): only the holder listens,
// and a start that finds the lock taken sends. POSIX: a local socket beside the lock file, that
// takes names from processes of this user only; Windows: a pipe named after the mutex, the session
// and the user, that only this user may open.

#include <functional>
#include <memory>
#include <string>

class CInstanceLock;

class CFileHandover {
public:
    using CReceiver = std::function<void(const std::string& path)>;

    // Listens for the names handed to the holder of `lock` and gives each to `receive`, on a
    // thread of its own. Listens to nothing when this process does not hold the lock or no
    // channel can be made (a second start then ends as it always did).
    CFileHandover(const CInstanceLock& lock, CReceiver receive);
    // Stops listening; a name being received is finished first.
    ~CFileHandover();

    CFileHandover(const CFileHandover&) = delete;
    CFileHandover& operator=(const CFileHandover&) = delete;

    bool IsListening() const;

    // Where the channel of `lock` lives: the socket's path, or the pipe's name.
    static std::string GetChannelName(const CInstanceLock& lock);

    // Hands `path` to the process that holds `lock`'s lock. True when that process took it.
    static bool Send(const CInstanceLock& lock, const std::string& path);

private:
    struct CChannel;
    std::unique_ptr<CChannel> m_channel;
};
