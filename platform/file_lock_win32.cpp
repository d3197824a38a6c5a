#include "platform/file_lock.h"

#include <cstdint>

#include <windows.h>

#include "platform/utf16_win32.h"

namespace {

// Saves that replace the file between the open and the lock, each time, before this gives up.
constexpr int kMaxReplaced = 100;

// The file's identity, to tell whether the name still leads to the file locked.
bool IdentityOf(HANDLE file, BY_HANDLE_FILE_INFORMATION& info)
{
    return ::GetFileInformationByHandle(file, &info) != 0;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

HANDLE OpenShared(const std::wstring& path)
{
    // Every kind of sharing, so that the lock never stands in the way of a save replacing it.
    return ::CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

CFileLock::EResult CFileLock::TryLock()
{
    if (m_handle >= 0)
        return EResult::Locked;
    const std::wstring path = Utf8ToWide(m_path);
    for (int attempt = 0; attempt < kMaxReplaced; ++attempt) {
        const HANDLE file = OpenShared(path);
        if (file == INVALID_HANDLE_VALUE)
            return EResult::NoFile;
        BY_HANDLE_FILE_INFORMATION held;
        EResult result = EResult::NoFile;
        if (::GetFileType(file) == FILE_TYPE_DISK && IdentityOf(file, held) &&
            !(held.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            // One byte far past any data file: the lock keeps no reader from the contents.
            OVERLAPPED at{};
            at.Offset = 0xFFFFFFF0u;
            at.OffsetHigh = 0x7FFFFFFFu;
            result = ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                                  0, &at)
                         ? EResult::Locked
                         : EResult::Busy;
        }
        // Locked, but the name may lead to a newer file by now: that one is to be locked.
        if (result == EResult::Locked) {
            const HANDLE now = OpenShared(path);
            BY_HANDLE_FILE_INFORMATION current;
            const bool same = now != INVALID_HANDLE_VALUE && IdentityOf(now, current) &&
                              SameFile(held, current);
            if (now != INVALID_HANDLE_VALUE)
                ::CloseHandle(now);
            if (same) {
                m_handle = static_cast<int>(::HandleToLong(file));
                return result;
            }
        }
        ::CloseHandle(file);
        if (result != EResult::Locked)
            return result;
    }
    return EResult::Busy;
}

void CFileLock::Unlock()
{
    if (m_handle >= 0)
        ::CloseHandle(::LongToHandle(m_handle));
    m_handle = -1;
}
