#include "platform/instance_lock.h"

#include <windows.h>

#include "platform/utf16_win32.h"

CInstanceLock::CInstanceLock(const std::string& name)
{
    // A mutex in this session's namespace: the system closes it with the last process that
    // has it open. Created, not opened first, so that two starts cannot both miss each other.
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, Utf8ToWide(name).c_str());
    const DWORD error = ::GetLastError();
    if (!mutex) {
        // A mutex of that name exists that this process may not open (a copy run as
        // administrator made it): another instance holds it.
        m_state = error == ERROR_ACCESS_DENIED ? EState::Taken : EState::Unavailable;
        if (m_state == EState::Taken)
            m_path = name;
        return;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        m_path = name;
        m_state = EState::Taken;
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(mutex);
    m_path = name;
    m_state = EState::Held;
}

CInstanceLock::~CInstanceLock()
{
    if (m_handle != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}
