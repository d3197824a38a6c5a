#pragma once

#include <csignal>
#include <cstdint>

#if defined(_WIN32)
// Windows has no such limit: the tests that need one are left out there (tests/CMakeLists.txt).
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(uint64_t) {}
    bool IsActive() const { return false; }
    void Lift() {}
};
#else

#include <sys/resource.h>

// While it lives, no regular file of this process can grow beyond `bytes`: writes past the
// limit fail (EFBIG; the signal that would end the process is ignored), as on a full disk. The
// limit binds root too.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(uint64_t bytes)
    {
        struct rlimit limit;
        if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
            return;
        m_oldSoft = limit.rlim_cur;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        if (m_active)
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~CFileSizeLimit() { Lift(); }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    // False when the limit could not be set (or was lifted): a test relying on it must not go on.
    bool IsActive() const { return m_active; }

    void Lift()
    {
        struct rlimit limit;
        if (m_active && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
            limit.rlim_cur = static_cast<rlim_t>(m_oldSoft);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, m_oldHandler);
        }
        m_active = false;
    }

private:
    uint64_t m_oldSoft = 0;
    bool m_active = false;
    void (*m_oldHandler)(int) = SIG_DFL;
};

#endif
